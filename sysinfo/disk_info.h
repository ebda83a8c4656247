// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TDiskInfo: free and total space of the current directory's file system.

#include "sysinfo/info_collector.h"

#include <cstdint>
#include <string>

class TDiskInfo : public InfoCollector<TDiskInfo, kLanguageSetting | kSpaceUnitSetting> {
public:
    using InfoCollector::InfoCollector;
    void Refresh();

    bool Failed = false;
    std::uint32_t SectorsPerCluster = 0;
    std::uint32_t BytesPerSector = 0;
    std::string FreeSpace;  // "523.45 Mb"
    std::string TotalSpace;
};
