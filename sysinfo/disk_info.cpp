// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/disk_info.h"

void TDiskInfo::Refresh()
{
    const std::optional<platform::DiskSpace> disk = facts_.CurrentDisk();
    Failed = !disk;
    const platform::DiskSpace d = disk.value_or(platform::DiskSpace{});
    SectorsPerCluster = d.sectorsPerCluster;
    BytesPerSector = d.bytesPerSector;
    const char separator = facts_.DecimalSeparator();
    FreeSpace = FormatSize(d.freeBytes, spaceUnit_, language_, separator);
    TotalSpace = FormatSize(d.totalBytes, spaceUnit_, language_, separator);
}
