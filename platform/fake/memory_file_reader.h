// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files the test puts in memory, by path.

#include "platform/file_reader.h"

#include <map>

namespace platform {

class MemoryFileReader : public FileReader {
public:
    std::map<std::string, std::string> files;
    bool ReadWhole(const std::string& path, std::string& content) const override
    {
        const auto found = files.find(path);
        if (found == files.end())
            return false;
        content = found->second;
        return true;
    }
};

}  // namespace platform
