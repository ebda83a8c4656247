// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's table of mounted file systems, one a line in the
// /proc/self/mounts form ("device top-directory type options 0 0"). The drive
// lists of the file pickers are made from it.

#include <string>

namespace platform {

class MountTable {
public:
    virtual ~MountTable() = default;
    // The whole table; empty when it cannot be read.
    virtual std::string Text() const = 0;
};

// A table with no mounts: for callers that have none to give.
inline const MountTable& NoMountTable()
{
    struct Empty : MountTable {
        std::string Text() const override { return {}; }
    };
    static const Empty empty;
    return empty;
}

}  // namespace platform
