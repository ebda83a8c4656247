// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMemoryInfo: memory figures in the chosen unit, gathered in one reading.

#include "sysinfo/info_collector.h"

#include <cstdint>

class TMemoryInfo : public InfoCollector<TMemoryInfo, kSpaceUnitSetting> {
public:
    using InfoCollector::InfoCollector;
    void Refresh();

    std::uint32_t MemoryLoad = 0;
    double TotalPhys = 0;
    double AvailPhys = 0;
    double TotalPageFile = 0;
    double AvailPageFile = 0;
    int PageFileUsage = 0;
    double TotalVirtual = 0;
    double AvailVirtual = 0;
};

// Percent of the total in use, truncated; 0 when there is no total.
int UsagePercent(std::uint64_t total, std::uint64_t available);
