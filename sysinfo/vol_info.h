// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TVolInfo: name, serial number and kind of the current directory's file
// system.

#include "platform/system_facts.h"
#include "sysinfo/info_collector.h"

#include <cstdint>
#include <string>

// The five file-system flags the component keeps (their platform values).
enum TFileSystemFlag : std::uint32_t {
    fsCaseIsPreserved = platform::kCasePreservedNames,
    fsCaseSensitive = platform::kCaseSensitiveSearch,
    fsUnicodeStoredOnDisk = platform::kUnicodeOnDisk,
    fsFileCompression = platform::kFileCompression,
    fsVolumeCompressed = platform::kVolumeIsCompressed,
};

// Its language setting changes none of its texts; a change gathers again all
// the same.
class TVolInfo : public InfoCollector<TVolInfo, kLanguageSetting> {
public:
    using InfoCollector::InfoCollector;
    void Refresh();

    bool HasFlag(TFileSystemFlag flag) const { return (FileSystemFlags & flag) != 0; }

    bool Failed = false;
    std::string VolumeName;
    std::string SerialNumber;  // "1A2B-3C4D"
    bool LongFileNames = false;
    std::string FileSystem;
    std::uint32_t FileSystemFlags = 0;  // TFileSystemFlag bits only
};
