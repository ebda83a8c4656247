// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/proc_mount_table.h"

#include <fstream>
#include <sstream>

namespace platform {

std::string ProcMountTable::Text() const
{
    std::ifstream in("/proc/self/mounts");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace platform
