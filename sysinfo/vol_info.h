// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TVolInfo: name, serial number and kind of the current directory's file
// system.

#include "platform/system_facts.h"
#include "sysinfo/sysinfo_texts.h"

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

class TVolInfo {
public:
    explicit TVolInfo(const platform::SystemFacts& facts) : facts_(facts) {}

    TLanguage Language() const { return language_; }
    // Gathers again when the language changes (no text depends on it).
    void SetLanguage(TLanguage language);
    void Refresh();

    bool HasFlag(TFileSystemFlag flag) const { return (FileSystemFlags & flag) != 0; }

    bool Failed = false;
    std::string VolumeName;
    std::string SerialNumber;  // "1A2B-3C4D"
    bool LongFileNames = false;
    std::string FileSystem;
    std::uint32_t FileSystemFlags = 0;  // TFileSystemFlag bits only

private:
    const platform::SystemFacts& facts_;
    TLanguage language_ = TLanguage::lgFrench;
};
