#include "platform/linux/sysconf_physical_memory.h"

#include <unistd.h>

namespace platform {

std::uint64_t SysconfPhysicalMemory::TotalBytes() const
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return std::uint64_t(pages) * std::uint64_t(pageSize);
}

}  // namespace platform
