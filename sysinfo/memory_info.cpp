// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/memory_info.h"

void TMemoryInfo::Refresh()
{
    const platform::MemoryStatus status = facts_.Memory();
    const double divisor = SpaceDivisor(spaceUnit_);
    MemoryLoad = status.memoryLoad;
    TotalPhys = static_cast<double>(status.totalPhys) / divisor;
    AvailPhys = static_cast<double>(status.availPhys) / divisor;
    TotalPageFile = static_cast<double>(status.totalPageFile) / divisor;
    AvailPageFile = static_cast<double>(status.availPageFile) / divisor;
    PageFileUsage = UsagePercent(status.totalPageFile, status.availPageFile);
    TotalVirtual = static_cast<double>(status.totalVirtual) / divisor;
    AvailVirtual = static_cast<double>(status.availVirtual) / divisor;
}

int UsagePercent(std::uint64_t total, std::uint64_t available)
{
    // A machine without swap has nothing in use of it.
    if (total == 0 || available >= total)
        return 0;
    const std::uint64_t used = total - available;
    // In whole numbers, so 29 % of a size never comes out as 28.
    if (used <= UINT64_MAX / 100)
        return static_cast<int>(used * 100 / total);
    return static_cast<int>(used / (total / 100));
}
