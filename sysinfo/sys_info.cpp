// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/sys_info.h"

#include <string_view>
#include <unordered_map>

TSysInfo::TSysInfo(const platform::SystemFacts& facts, SysInfoGather gather)
    : DiskInfo(facts), MemoryInfo(facts), ProcInfo(facts), VersionInfo(facts), VolInfo(facts), facts_(facts),
      fileSystems_(gather == SysInfoGather::Everything)
{
    if (!fileSystems_) {
        DiskInfo.Failed = true;
        VolInfo.Failed = true;
    }
    Refresh();
}

void TSysInfo::SetLanguage(TLanguage language)
{
    if (language == language_)
        return;
    language_ = language;
    if (fileSystems_)
        DiskInfo.SetLanguage(language);
    ProcInfo.SetLanguage(language);
    VersionInfo.SetLanguage(language);
    if (fileSystems_) {
        VolInfo.SetLanguage(language);
        RefreshDrives();
    }
    RefreshNames();
    WindowsDirectory = facts_.WindowsDirectory();
}

void TSysInfo::Refresh()
{
    if (fileSystems_) {
        DiskInfo.Refresh();
        RefreshDrives();
    }
    RefreshNames();
    MemoryInfo.Refresh();
    ProcInfo.Refresh();
    VersionInfo.Refresh();
    if (fileSystems_)
        VolInfo.Refresh();
    WindowsDirectory = facts_.WindowsDirectory();
}

void TSysInfo::RefreshDrives()
{
    Drives.clear();
    // One line per name: a later mount over the same place replaces it and
    // goes last. The places are indexed, so thousands of mounts cost no more
    // than one look-up each.
    const std::vector<platform::Drive> drives = facts_.Drives();
    std::vector<bool> replaced(drives.size(), false);
    std::unordered_map<std::string_view, std::size_t> latest;
    latest.reserve(drives.size());
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const auto [at, added] = latest.try_emplace(drives[i].name, i);
        if (!added) {
            replaced[at->second] = true;
            at->second = i;
        }
    }
    Drives.reserve(latest.size());
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (!replaced[i])
            Drives.push_back(drives[i].name + "=" + DriveKindText(drives[i].kind, language_));
    }
}

void TSysInfo::RefreshNames()
{
    const std::string& unknown = LanguageText(language_, kTextUnknown);
    ComputerName = facts_.ComputerName().value_or(unknown);
    UserName = facts_.UserName().value_or(unknown);
}

const std::string& DriveKindText(platform::DriveKind kind, TLanguage language)
{
    switch (kind) {
    case platform::DriveKind::Removable: return LanguageText(language, kTextRemovable);
    case platform::DriveKind::Fixed: break;
    case platform::DriveKind::Remote: return LanguageText(language, kTextRemote);
    case platform::DriveKind::CdRom: return LanguageText(language, kTextCdRom);
    case platform::DriveKind::RamDisk: return LanguageText(language, kTextRamDisk);
    }
    return LanguageText(language, kTextFixed);
}
