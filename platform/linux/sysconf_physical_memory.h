#pragma once
// The physical memory as the kernel reports it (sysconf).

#include "platform/physical_memory.h"

namespace platform {

class SysconfPhysicalMemory : public PhysicalMemory {
public:
    std::uint64_t TotalBytes() const override;
};

}  // namespace platform
