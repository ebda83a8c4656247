// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/proc_info.h"

#include <map>

namespace {

enum Architecture : std::uint32_t { kIntel = 0, kMips = 1, kAlpha = 2, kPowerPc = 3 };

std::string Letter(unsigned offset)
{
    return std::string(1, static_cast<char>('A' + offset));
}

}  // namespace

void TProcInfo::Refresh()
{
    const platform::ProcessorFacts p = facts_.Processor();
    Architecture = ArchitectureText(p.architecture);
    for (unsigned i = 0; i < ActiveProcessors.size(); ++i)
        ActiveProcessors[i] = ((p.activeMask >> i) & 1u) != 0;
    ProcessorCount = p.count;
    ProcessorType = ProcessorTypeText(p.type);
    ProcessorLevel = ProcessorLevelText(p.architecture, p.level, language_);
    ProcessorRevision = ProcessorRevisionText(p.architecture, p.type, p.revision, language_);
}

std::string ArchitectureText(std::uint32_t architecture)
{
    switch (architecture) {
    case kIntel: return "Intel";
    case kMips: return "MIPS";
    case kAlpha: return "Alpha";
    case kPowerPc: return "Power PC";
    default: return "Code " + std::to_string(architecture);
    }
}

std::string ProcessorTypeText(std::uint32_t type)
{
    static const std::map<std::uint32_t, std::string> names = {
        {386, "Intel 386"}, {486, "Intel 486"}, {586, "Intel Pentium"}, {4000, "MIPS R4000"}, {21046, "Alpha 21046"},
    };
    const auto it = names.find(type);
    return it == names.end() ? std::string("Standard") : it->second;
}

std::string ProcessorLevelText(std::uint32_t architecture, std::uint16_t level, TLanguage language)
{
    static const std::map<std::uint32_t, std::map<std::uint16_t, std::string>> levels = {
        {kIntel, {{3, "386"}, {4, "486"}, {5, "Pentium"}}},
        {kMips, {{4, "R4000"}}},
        {kAlpha, {{21064, "21064"}, {21066, "21066"}, {21164, "21164"}}},
        {kPowerPc, {{1, "601"}, {3, "603"}, {4, "604"}, {6, "603+"}, {9, "604+"}, {20, "620"}}},
    };
    const auto arch = levels.find(architecture);
    if (arch == levels.end())
        return LanguageText(language, kTextUnknownArchitecture);
    const auto it = arch->second.find(level);
    return it == arch->second.end() ? LanguageText(language, kTextUnknown) : it->second;
}

std::string ProcessorRevisionText(std::uint32_t architecture, std::uint32_t type, std::uint16_t revision,
                                  TLanguage language)
{
    const unsigned high = revision >> 8;
    const std::string low = std::to_string(revision & 0xFFu);
    const std::string& model = LanguageText(language, kTextModel);
    const std::string& pass = LanguageText(language, kTextPass);
    switch (architecture) {
    case kIntel:
        if (type == 386 || type == 486)
            return Letter(high) + low;
        return model + " " + std::to_string(high) + " " + pass + " " + low;
    case kMips: return low;
    case kAlpha: return model + " " + Letter(high) + " " + pass + " " + low;
    case kPowerPc: return std::to_string(high) + "." + low;
    default: return "Code " + std::to_string(revision);
    }
}
