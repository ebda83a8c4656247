// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process_memory.h"

#include <malloc.h>

namespace platform {

void ReturnFreeHeapMemory()
{
    ::malloc_trim(0);
}

}  // namespace platform
