// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's heap as glibc's malloc keeps it: free pages go back with
// malloc_trim.

#include "platform/process_memory.h"

namespace platform {

class MallocProcessMemory : public ProcessMemory {
public:
    void ReturnFreeHeap() override;
};

}  // namespace platform
