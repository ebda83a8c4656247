// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's table of mounted file systems, one a line in the
// /proc/self/mounts form ("device top-directory type options 0 0"); empty
// when it cannot be read.

#include <string>

namespace platform {

std::string MountTableText();

}  // namespace platform
