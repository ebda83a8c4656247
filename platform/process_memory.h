// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own memory.

namespace platform {

// Gives the free memory the heap keeps back to the system. After a big
// picture is freed the heap would otherwise hold on to its pages for the rest
// of the run.
void ReturnFreeHeapMemory();

}  // namespace platform
