// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole files read into memory: the help file.

#include <string>

namespace platform {

class FileReader {
public:
    virtual ~FileReader() = default;
    // The whole file into `content`; false when it cannot be read.
    virtual bool ReadWhole(const std::string& path, std::string& content) const = 0;
};

}  // namespace platform
