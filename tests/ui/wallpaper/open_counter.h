// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts the opens of one file in this test program: open, openat and fopen
// (and their 64-bit names) are this program's own and pass every call on.

#include <string>

namespace open_counter {

// Starts counting the opens of `path` from zero.
void Watch(const std::string& path);
int Opens();

}  // namespace open_counter
