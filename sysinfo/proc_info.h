// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TProcInfo: the processor's architecture, count, type, level and revision
// as texts.

#include "sysinfo/info_collector.h"

#include <array>
#include <cstdint>
#include <string>

class TProcInfo : public InfoCollector<TProcInfo, kLanguageSetting> {
public:
    using InfoCollector::InfoCollector;
    void Refresh();

    std::string Architecture;
    std::array<bool, 32> ActiveProcessors{};
    std::uint32_t ProcessorCount = 0;
    std::string ProcessorType;
    std::string ProcessorLevel;
    std::string ProcessorRevision;
};

// The texts of one processor reading.
std::string ArchitectureText(std::uint32_t architecture);
std::string ProcessorTypeText(std::uint32_t type);
std::string ProcessorLevelText(std::uint32_t architecture, std::uint16_t level, TLanguage language);
std::string ProcessorRevisionText(std::uint32_t architecture, std::uint32_t type, std::uint16_t revision,
                                  TLanguage language);
