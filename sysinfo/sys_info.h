// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TSysInfo: the system information component. It gathers every fact once
// when created and again only when its language changes.

#include "platform/system_facts.h"
#include "sysinfo/disk_info.h"
#include "sysinfo/memory_info.h"
#include "sysinfo/proc_info.h"
#include "sysinfo/sysinfo_texts.h"
#include "sysinfo/version_info.h"
#include "sysinfo/vol_info.h"

#include <string>
#include <vector>

// What the component gathers besides the names, memory, processor, version
// and Windows directory: the file-system parts ask each mounted file system,
// and one that does not answer can take long.
enum class SysInfoGather { Everything, WithoutFileSystems };

class TSysInfo {
public:
    // WithoutFileSystems leaves DiskInfo, VolInfo and Drives ungathered (as
    // made, DiskInfo and VolInfo marked Failed), for a user that shows none
    // of them.
    explicit TSysInfo(const platform::SystemFacts& facts, SysInfoGather gather = SysInfoGather::Everything);

    TLanguage Language() const { return language_; }
    // On a change: passes the language to the parts (which gather again) and
    // gathers the drive list, the names and the Windows directory again; the
    // memory figures stay as they were.
    void SetLanguage(TLanguage language);
    // Disk, drive list, names, memory, processor, version, volume, Windows
    // directory, in this order.
    void Refresh();

    std::string ComputerName;
    std::string UserName;
    std::string WindowsDirectory;
    std::vector<std::string> Drives;  // "name=kind" lines

    TDiskInfo DiskInfo;
    TMemoryInfo MemoryInfo;
    TProcInfo ProcInfo;
    TVersionInfo VersionInfo;
    TVolInfo VolInfo;

private:
    void RefreshDrives();
    void RefreshNames();

    const platform::SystemFacts& facts_;
    const bool fileSystems_;
    TLanguage language_ = TLanguage::lgFrench;
};

// The language text of a drive kind.
const std::string& DriveKindText(platform::DriveKind kind, TLanguage language);
