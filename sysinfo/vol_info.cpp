// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/vol_info.h"

void TVolInfo::Refresh()
{
    const platform::VolumeFacts v = facts_.CurrentVolume();
    constexpr std::uint32_t kKept = fsCaseIsPreserved | fsCaseSensitive | fsUnicodeStoredOnDisk | fsFileCompression |
                                    fsVolumeCompressed;
    Failed = !v.ok;
    VolumeName = v.name;
    // The serial number is shown even when the rest could not be read.
    SerialNumber = SerialNumberText(v.serial);
    LongFileNames = v.maxComponentLength > 12;
    FileSystem = v.fileSystem;
    FileSystemFlags = v.flags & kKept;
}
