// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TDiskInfo: free and total space of the current directory's file system.

#include "platform/system_facts.h"
#include "sysinfo/sysinfo_texts.h"

#include <cstdint>
#include <string>

class TDiskInfo {
public:
    explicit TDiskInfo(const platform::SystemFacts& facts) : facts_(facts) {}

    TLanguage Language() const { return language_; }
    TSpaceUnit SpaceUnit() const { return spaceUnit_; }
    // Each gathers again when its value changes.
    void SetLanguage(TLanguage language);
    void SetSpaceUnit(TSpaceUnit unit);
    void Refresh();

    bool Failed = false;
    std::uint32_t SectorsPerCluster = 0;
    std::uint32_t BytesPerSector = 0;
    std::string FreeSpace;  // "523.45 Mb"
    std::string TotalSpace;

private:
    const platform::SystemFacts& facts_;
    TLanguage language_ = TLanguage::lgFrench;
    TSpaceUnit spaceUnit_ = TSpaceUnit::suMB;
};
