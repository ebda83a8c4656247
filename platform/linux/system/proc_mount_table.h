// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mount table as the kernel shows it to this process (/proc/self/mounts).

#include "platform/mount_table.h"

namespace platform {

class ProcMountTable : public MountTable {
public:
    std::string Text() const override;
};

}  // namespace platform
