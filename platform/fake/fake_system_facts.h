// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// System facts set by the test; counts how often each group is read.

#include "platform/system_facts.h"

#include <map>

namespace platform {

class FakeSystemFacts : public SystemFacts {
public:
    MemoryStatus memory;
    std::optional<OsVersion> version = OsVersion{};
    std::optional<std::string> computerName = std::string("host");
    std::optional<std::string> userName = std::string("user");
    std::vector<Drive> drives;
    std::optional<DiskSpace> disk = DiskSpace{};
    VolumeFacts volume;
    ProcessorFacts processor;
    std::string windowsDirectory = "/home/user/.local/share/zelvaro";
    std::string systemDirectory = "/lib/x86_64-linux-gnu";
    std::string tempDirectory = "/tmp/";
    std::map<int, HandleUse> handles;
    char decimalSeparator = '.';

    mutable int memoryReads = 0;
    mutable int versionReads = 0;
    mutable int driveReads = 0;
    mutable int diskReads = 0;
    mutable int volumeReads = 0;

    MemoryStatus Memory() const override
    {
        ++memoryReads;
        return memory;
    }
    std::optional<OsVersion> Version() const override
    {
        ++versionReads;
        return version;
    }
    std::optional<std::string> ComputerName() const override { return computerName; }
    std::optional<std::string> UserName() const override { return userName; }
    std::vector<Drive> Drives() const override
    {
        ++driveReads;
        return drives;
    }
    std::optional<DiskSpace> CurrentDisk() const override
    {
        ++diskReads;
        return disk;
    }
    VolumeFacts CurrentVolume() const override
    {
        ++volumeReads;
        return volume;
    }
    ProcessorFacts Processor() const override { return processor; }
    std::string WindowsDirectory() const override { return windowsDirectory; }
    std::string SystemDirectory() const override { return systemDirectory; }
    std::string TempDirectory() const override { return tempDirectory; }
    std::optional<HandleUse> Handles(int selector) const override
    {
        const auto it = handles.find(selector);
        return it == handles.end() ? std::nullopt : std::optional<HandleUse>(it->second);
    }
    char DecimalSeparator() const override { return decimalSeparator; }
};

}  // namespace platform
