#pragma once
// Physical memory of the size the test sets.

#include "platform/physical_memory.h"

namespace platform {

class FakePhysicalMemory : public PhysicalMemory {
public:
    std::uint64_t bytes = 32ull << 20;
    std::uint64_t TotalBytes() const override { return bytes; }
};

}  // namespace platform
