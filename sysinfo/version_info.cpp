// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/version_info.h"

void TVersionInfo::Refresh()
{
    const std::optional<platform::OsVersion> version = facts_.Version();
    Failed = !version;
    const platform::OsVersion v = version.value_or(platform::OsVersion{});
    MajorVersion = v.major;
    MinorVersion = v.minor;
    VersionText = std::to_string(v.major) + "." + std::to_string(v.minor);
    BuildNumber = v.build;
    if (v.platformId >= 0 && v.platformId <= 2)
        PlatformText = LanguageText(language_, kTextWin32s + v.platformId);
    else
        PlatformText = v.name;
}
