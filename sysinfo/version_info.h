// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TVersionInfo: the system's version numbers and its name.

#include "sysinfo/info_collector.h"

#include <cstdint>
#include <string>

class TVersionInfo : public InfoCollector<TVersionInfo, kLanguageSetting> {
public:
    using InfoCollector::InfoCollector;
    void Refresh();

    bool Failed = false;
    std::uint16_t MajorVersion = 0;
    std::uint16_t MinorVersion = 0;
    std::string VersionText;
    std::uint32_t BuildNumber = 0;
    std::string PlatformText;
};
