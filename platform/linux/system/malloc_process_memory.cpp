// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/malloc_process_memory.h"

#include <malloc.h>

namespace platform {

void MallocProcessMemory::ReturnFreeHeap()
{
    ::malloc_trim(0);
}

}  // namespace platform
