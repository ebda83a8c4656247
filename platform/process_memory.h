// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own memory.

namespace platform {

class ProcessMemory {
public:
    virtual ~ProcessMemory() = default;
    // Gives the free memory the heap keeps back to the system. After a big
    // picture is freed the heap would otherwise hold on to its pages for the
    // rest of the run.
    virtual void ReturnFreeHeap() = 0;
};

// Memory that is never handed back: for callers that have no service to give.
inline ProcessMemory& KeptProcessMemory()
{
    struct Kept : ProcessMemory {
        void ReturnFreeHeap() override {}
    };
    static Kept kept;
    return kept;
}

}  // namespace platform
