// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mount table the test writes.

#include "platform/mount_table.h"

namespace platform {

class FakeMountTable : public MountTable {
public:
    std::string text;
    std::string Text() const override { return text; }
};

}  // namespace platform
