#pragma once
// The machine's physical memory.

#include <cstdint>

namespace platform {

class PhysicalMemory {
public:
    virtual ~PhysicalMemory() = default;
    // The total physical memory in bytes; 0 when it cannot be read.
    virtual std::uint64_t TotalBytes() const = 0;
};

}  // namespace platform
