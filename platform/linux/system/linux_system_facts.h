// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// System facts of this Linux machine, read from /proc, /sys, statvfs, uname,
// os-release and the password database (no programs are run).

#include "platform/system_facts.h"

namespace platform {

class LinuxSystemFacts : public SystemFacts {
public:
    MemoryStatus Memory() const override;
    std::optional<OsVersion> Version() const override;
    std::optional<std::string> ComputerName() const override;
    std::optional<std::string> UserName() const override;
    std::vector<Drive> Drives() const override;
    std::optional<DiskSpace> CurrentDisk() const override;
    VolumeFacts CurrentVolume() const override;
    ProcessorFacts Processor() const override;
    std::string WindowsDirectory() const override;
    std::string SystemDirectory() const override;
    std::string TempDirectory() const override;
    std::optional<HandleUse> Handles(int selector) const override;
    char DecimalSeparator() const override;
};

}  // namespace platform
