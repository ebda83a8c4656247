// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMemoryInfo: memory figures in the chosen unit, gathered in one reading.

#include "platform/system_facts.h"
#include "sysinfo/sysinfo_texts.h"

#include <cstdint>

class TMemoryInfo {
public:
    explicit TMemoryInfo(const platform::SystemFacts& facts) : facts_(facts) {}

    TSpaceUnit SpaceUnit() const { return spaceUnit_; }
    // Gathers again when the unit changes.
    void SetSpaceUnit(TSpaceUnit unit);
    void Refresh();

    std::uint32_t MemoryLoad = 0;
    double TotalPhys = 0;
    double AvailPhys = 0;
    double TotalPageFile = 0;
    double AvailPageFile = 0;
    int PageFileUsage = 0;
    double TotalVirtual = 0;
    double AvailVirtual = 0;

private:
    const platform::SystemFacts& facts_;
    TSpaceUnit spaceUnit_ = TSpaceUnit::suMB;
};

// Percent of the total in use, truncated; 0 when there is no total.
int UsagePercent(std::uint64_t total, std::uint64_t available);
