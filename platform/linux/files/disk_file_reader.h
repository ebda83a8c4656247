// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files read from the disk.

#include "platform/file_reader.h"
#include "platform/linux/files/disk_profile_file.h"

namespace platform {

class DiskFileReader : public FileReader {
public:
    bool ReadWhole(const std::string& path, std::string& content) const override
    {
        return ReadWholeFile(path, content);
    }
};

}  // namespace platform
