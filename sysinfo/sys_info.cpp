// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/sys_info.h"

TSysInfo::TSysInfo(const platform::SystemFacts& facts)
    : DiskInfo(facts), MemoryInfo(facts), ProcInfo(facts), VersionInfo(facts), VolInfo(facts), facts_(facts)
{
    Refresh();
}

void TSysInfo::SetLanguage(TLanguage language)
{
    if (language == language_)
        return;
    language_ = language;
    DiskInfo.SetLanguage(language);
    ProcInfo.SetLanguage(language);
    VersionInfo.SetLanguage(language);
    VolInfo.SetLanguage(language);
    RefreshDrives();
    RefreshNames();
    WindowsDirectory = facts_.WindowsDirectory();
}

void TSysInfo::Refresh()
{
    DiskInfo.Refresh();
    RefreshDrives();
    RefreshNames();
    MemoryInfo.Refresh();
    ProcInfo.Refresh();
    VersionInfo.Refresh();
    VolInfo.Refresh();
    WindowsDirectory = facts_.WindowsDirectory();
}

void TSysInfo::RefreshDrives()
{
    Drives.clear();
    for (const platform::Drive& drive : facts_.Drives()) {
        const std::string line = drive.name + "=" + DriveKindText(drive.kind, language_);
        // One line per name: a later mount over the same place replaces it.
        std::erase_if(Drives,
                      [&](const std::string& l) { return l.compare(0, drive.name.size() + 1, drive.name + "=") == 0; });
        Drives.push_back(line);
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
