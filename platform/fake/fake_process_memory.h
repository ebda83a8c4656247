// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts how often the heap's free memory was handed back.

#include "platform/process_memory.h"

namespace platform {

class FakeProcessMemory : public ProcessMemory {
public:
    int returns = 0;
    void ReturnFreeHeap() override { ++returns; }
};

}  // namespace platform
