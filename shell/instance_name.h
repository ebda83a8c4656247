// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name one copy of the program holds while it runs: taken from the
// executable's file name (with its extension), the user and the display
// (the desktop session), so a copy under another file name, another user's
// copy or a copy on another desktop runs beside it.

#include <string>

// At most 100 bytes (a socket name has room for 107); longer file names are
// shortened with a hash of the whole name so two long names stay apart.
std::string InstanceName(const std::string& executablePath, unsigned userId, const std::string& display);
