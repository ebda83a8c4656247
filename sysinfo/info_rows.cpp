// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/info_rows.h"

#include "base/translatable.h"
#include "sysinfo/sysinfo_functions.h"

#include <cmath>

namespace {

std::string WithoutTrailingSlash(std::string dir)
{
    if (!dir.empty() && dir.back() == '/')
        dir.pop_back();
    return dir;
}

std::string PercentValue(std::uint32_t percent)
{
    return std::to_string(percent) + " %";
}

}  // namespace

std::vector<InfoRow> DirectoryRows(const platform::SystemFacts& facts, const platform::Registry& registry)
{
    const platform::SystemFacts* f = &facts;
    const platform::Registry* r = &registry;
    return {
        {QT_TRANSLATE_NOOP("InfoRows", "起動ﾃﾞｨﾚｸﾄﾘ"),
         [r] {
             return ReadRegistryText(*r, platform::RootKey::LocalMachine,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup\\BootDir");
         }},
        {QT_TRANSLATE_NOOP("InfoRows", "Windowsﾃﾞｨﾚｸﾄﾘ"), [f] { return f->WindowsDirectory(); }},
        {QT_TRANSLATE_NOOP("InfoRows", "Systemﾃﾞｨﾚｸﾄﾘ"), [f] { return f->SystemDirectory(); }},
        // One trailing "/" goes; the root directory itself stays "/".
        {QT_TRANSLATE_NOOP("InfoRows", "Tempﾃﾞｨﾚｸﾄﾘ"),
         [f] {
             const std::string dir = GetTempDirectory(*f);
             return dir == "/" ? dir : WithoutTrailingSlash(dir);
         }},
    };
}

std::vector<InfoRow> SystemRows(const TSysInfo& sysInfo, const platform::Registry& registry)
{
    const TSysInfo* s = &sysInfo;
    const platform::Registry* r = &registry;
    std::vector<InfoRow> rows{
        {QT_TRANSLATE_NOOP("InfoRows", "ｺﾝﾋﾟｭｰﾀｰ名"), [s] { return s->ComputerName; }},
        {QT_TRANSLATE_NOOP("InfoRows", "会社名"),
         [r] { return ReadCurrentVersionValue(*r, "RegisteredOrganization"); }},
        {QT_TRANSLATE_NOOP("InfoRows", "ﾕｰｻﾞｰ名"), [r] { return ReadCurrentVersionValue(*r, "RegisteredOwner"); }},
        {QT_TRANSLATE_NOOP("InfoRows", "ﾌﾟﾗｯﾄﾌｫｰﾑ"), [s] { return s->VersionInfo.PlatformText; }},
        {QT_TRANSLATE_NOOP("InfoRows", "ﾊﾞｰｼﾞｮﾝ"), [s] { return s->VersionInfo.VersionText; }},
    };
    // A kernel without a "#N" in its version has no build number: no row then.
    if (sysInfo.VersionInfo.BuildNumber != 0)
        rows.push_back({QT_TRANSLATE_NOOP("InfoRows", "ﾋﾞﾙﾄﾞﾅﾝﾊﾞｰ"),
                        [s] { return "#" + std::to_string(s->VersionInfo.BuildNumber); }});
    return rows;
}

std::vector<InfoRow> MemoryRows(const TSysInfo& sysInfo, const platform::SystemFacts& facts, bool englishSizes)
{
    const TMemoryInfo* m = &sysInfo.MemoryInfo;
    const platform::SystemFacts* f = &facts;
    const char sep = facts.DecimalSeparator();
    const auto size = [sep, englishSizes](double megabytes) {
        return englishSizes ? EnglishSizeText(megabytes) : MbText(megabytes, sep);
    };
    return {
        {QT_TRANSLATE_NOOP("InfoRows", "仮想ﾒﾓﾘ"), [m, size] { return size(m->TotalVirtual); }},
        {QT_TRANSLATE_NOOP("InfoRows", "物理ﾒﾓﾘ"), [m, size] { return size(m->TotalPhys); }},
        {QT_TRANSLATE_NOOP("InfoRows", "ｽﾜｯﾌﾟﾌｧｲﾙ"), [m, size] { return size(m->TotalPageFile); }},
        {QT_TRANSLATE_NOOP("InfoRows", "ｽﾜｯﾌﾟﾌｧｲﾙ使用率"), [m] { return std::to_string(m->PageFileUsage) + " %"; }},
        {QT_TRANSLATE_NOOP("InfoRows", "使用可能物理ﾒﾓﾘ"), [m, size] { return size(m->AvailPhys); }},
        {QT_TRANSLATE_NOOP("InfoRows", "使用可能仮想ﾒﾓﾘ"), [m, size] { return size(m->AvailVirtual); }},
        {QT_TRANSLATE_NOOP("InfoRows", "使用可能ｽﾜｯﾌﾟﾌｧｲﾙ"), [m, size] { return size(m->AvailPageFile); }},
        {QT_TRANSLATE_NOOP("InfoRows", "使用可能ﾕｰｻﾞｰﾘｿｰｽ"), [f] { return PercentValue(FreeResourcePercent(*f, 0)); }},
        {QT_TRANSLATE_NOOP("InfoRows", "使用可能GDIﾘｿｰｽ"), [f] { return PercentValue(FreeResourcePercent(*f, 1)); }},
    };
}

std::vector<InfoBar> PhysicalMemoryBars(const TSysInfo& sysInfo)
{
    const TMemoryInfo* m = &sysInfo.MemoryInfo;
    return {
        {QT_TRANSLATE_NOOP("InfoRows", "使用"), [m] { return m->TotalPhys - m->AvailPhys; }, kUsedBarColour},
        {QT_TRANSLATE_NOOP("InfoRows", "空き"), [m] { return m->AvailPhys; }, kFreeBarColour},
    };
}

std::vector<InfoBar> SwapBars(const TSysInfo& sysInfo)
{
    const TMemoryInfo* m = &sysInfo.MemoryInfo;
    return {
        {QT_TRANSLATE_NOOP("InfoRows", "使用"), [m] { return m->TotalPageFile - m->AvailPageFile; }, kUsedBarColour},
        {QT_TRANSLATE_NOOP("InfoRows", "空き"), [m] { return m->AvailPageFile; }, kFreeBarColour},
    };
}

std::vector<InfoBar> ResourceBars(const platform::SystemFacts& facts)
{
    const platform::SystemFacts* f = &facts;
    return {
        {QT_TRANSLATE_NOOP("InfoRows", "使用"), [f] { return 100.0 - FreeResourcePercent(*f, 0); }, kUsedBarColour},
        {QT_TRANSLATE_NOOP("InfoRows", "空き"), [f] { return static_cast<double>(FreeResourcePercent(*f, 0)); },
         kFreeBarColour},
    };
}

std::string MbText(double megabytes, char decimalSeparator)
{
    return FormatFixed2(megabytes, decimalSeparator) + " Mb";
}

std::string EnglishSizeText(double megabytes)
{
    if (!std::isfinite(megabytes) || megabytes < 0)
        megabytes = 0;
    if (std::round(megabytes) < 1024)
        return GroupedValueText(megabytes) + " MB";
    // Gigabytes, or terabytes for an address space; one decimal.
    const bool tera = std::round(megabytes / 1024 * 10) >= 1024 * 10;
    const double tenths = std::round(megabytes / (tera ? 1024.0 * 1024.0 : 1024.0) * 10);
    const double whole = std::floor(tenths / 10);
    return GroupedValueText(whole) + "." + std::to_string(static_cast<int>(tenths - whole * 10)) +
           (tera ? " TB" : " GB");
}

std::string GroupedValueText(double value)
{
    const double rounded = std::round(value);
    if (!std::isfinite(rounded))
        return "0";
    const std::string digits = std::to_string(static_cast<long long>(std::fabs(rounded)));
    std::string text;
    if (rounded < 0)
        text.push_back('-');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

std::string PercentText(double value, double total, char decimalSeparator)
{
    const double percent = total != 0 ? value / total * 100.0 : 0.0;
    const double tenths = std::round(percent * 10.0);
    std::string text = FormatFixed2(tenths / 10.0, decimalSeparator);
    text.pop_back();  // one decimal at most
    if (text.back() == '0') {
        text.pop_back();
        text.pop_back();  // and none when it is 0
    }
    return text + " %";
}
