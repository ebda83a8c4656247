// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mount_table.h"

#include <fstream>
#include <sstream>

namespace platform {

std::string MountTableText()
{
    std::ifstream in("/proc/self/mounts");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace platform
