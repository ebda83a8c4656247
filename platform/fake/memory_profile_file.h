// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A profile file held in memory, for tests: its text can be set and read,
// reads and writes can be made to fail, and both are counted.

#include "platform/profile_file.h"

#include <optional>

namespace platform {

class MemoryProfileFile : public ProfileFile {
public:
    std::optional<std::string> content;  // nothing: the file does not exist
    bool unreadable = false;             // reads fail as for a file that cannot be read
    bool writesFail = false;             // every write fails, the content stays
    mutable int reads = 0;
    int writes = 0;  // writes tried, failed ones included

    std::string Path() const override { return "/memory/zelvaro.INI"; }
    ReadResult Read(std::string& text) const override
    {
        ++reads;
        if (unreadable)
            return ReadResult::Unreadable;
        if (!content)
            return ReadResult::Missing;
        text = *content;
        return ReadResult::Read;
    }
    bool Replace(const std::string& text) override
    {
        ++writes;
        if (writesFail)
            return false;
        content = text;
        return true;
    }
};

}  // namespace platform
