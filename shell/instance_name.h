// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name one copy of the program holds while it runs: taken from the
// executable's file name (with its extension), the user and the display
// (the desktop session), so a copy under another file name, another user's
// copy or a copy on another desktop runs beside it.

#include <string>

// The display as one name however it is spelt: the host (none for the local
// machine: "", "unix" and "localhost" are all local) and the display number,
// with the screen number dropped, so ":92", ":92.0" and "unix:92" give ":92".
std::string CanonicalDisplay(const std::string& display);

// The display is taken in its canonical form. At most 100 bytes (a socket name has room for 107); longer file names are
// shortened with a hash of the whole name so two long names stay apart.
std::string InstanceName(const std::string& executablePath, unsigned userId, const std::string& display);
