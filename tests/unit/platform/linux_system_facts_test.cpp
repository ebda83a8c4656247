// SPDX-License-Identifier: GPL-3.0-or-later
// This machine's facts against readings taken another way (getconf, df,
// uname), allowing for what changes between the two readings.

#include "platform/linux/system/linux_system_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

std::string Output(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

std::uint64_t Number(const std::string& text)
{
    return std::stoull(text);
}

bool Near(std::uint64_t a, std::uint64_t b, std::uint64_t slack)
{
    return (a > b ? a - b : b - a) <= slack;
}

const platform::LinuxSystemFacts facts;

TEST(LinuxSystemFacts, MemoryMatchesGetconf)
{
    const platform::MemoryStatus m = facts.Memory();
    const std::uint64_t pages = Number(Output("getconf _PHYS_PAGES"));
    const std::uint64_t pageSize = Number(Output("getconf PAGESIZE"));
    EXPECT_EQ(m.totalPhys, pages * pageSize);
    EXPECT_GT(m.availPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_LE(m.memoryLoad, 100u);
    EXPECT_LE(m.availPageFile, m.totalPageFile);
    // The address space is far beyond 4 GiB on a 64-bit machine, and most of it is free.
    EXPECT_GT(m.totalVirtual, 1ull << 32);
    EXPECT_GT(m.availVirtual, m.totalVirtual / 2);
    EXPECT_LT(m.availVirtual, m.totalVirtual);
}

TEST(LinuxSystemFacts, DiskMatchesDf)
{
    const auto disk = facts.CurrentDisk();
    ASSERT_TRUE(disk);
    std::istringstream df(Output("df -B1 --output=size,avail . | tail -1"));
    std::uint64_t size = 0, avail = 0;
    ASSERT_TRUE(df >> size >> avail);
    EXPECT_EQ(disk->totalBytes, size);
    EXPECT_TRUE(Near(disk->freeBytes, avail, 256ull << 20)) << disk->freeBytes << " vs " << avail;

    // df says "-" where no mount entry covers the folder (a chroot whose root
    // is no mount point): then neither names a file system.
    const platform::VolumeFacts volume = facts.CurrentVolume();
    const std::string dfType = Output("df --output=fstype . | tail -1");
    if (dfType != "-") {
        EXPECT_TRUE(volume.ok);
    }
    EXPECT_EQ(volume.fileSystem, dfType == "-" ? "" : dfType);
    EXPECT_EQ(volume.maxComponentLength, Number(Output("getconf NAME_MAX .")));
}

TEST(LinuxSystemFacts, NamesAndVersionMatchUname)
{
    EXPECT_EQ(facts.ComputerName(), Output("uname -n"));
    EXPECT_EQ(facts.UserName(), Output("id -un"));
    const auto version = facts.Version();
    ASSERT_TRUE(version);
    const std::string release = Output("uname -r");
    EXPECT_EQ(release.rfind(std::to_string(version->major) + "." + std::to_string(version->minor) + ".", 0), 0u)
        << release;
    EXPECT_NE(Output("uname -v").find("#" + std::to_string(version->build)), std::string::npos);
    EXPECT_FALSE(version->name.empty());
    EXPECT_EQ(version->platformId, -1);
}

TEST(LinuxSystemFacts, ProcessorMatchesGetconf)
{
    const platform::ProcessorFacts p = facts.Processor();
    EXPECT_EQ(p.count, Number(Output("getconf _NPROCESSORS_ONLN")));
    EXPECT_NE(p.activeMask, 0u);
    if (Output("uname -m") == "x86_64") {
        EXPECT_EQ(p.architecture, 0u);
        EXPECT_EQ(p.type, 586u);
        EXPECT_GE(p.level, 6u);
    }
}

TEST(LinuxSystemFacts, DrivesDirectoriesAndHandles)
{
    // The root is listed whenever the mount table has it (a chroot's table may not).
    const auto drives = facts.Drives();
    const bool rootMounted = !Output("awk '$2 == \"/\"' /proc/self/mounts").empty();
    EXPECT_EQ(std::any_of(drives.begin(), drives.end(), [](const platform::Drive& d) { return d.name == "/"; }),
              rootMounted);
    EXPECT_TRUE(std::none_of(drives.begin(), drives.end(), [](const platform::Drive& d) { return d.name == "/proc"; }));

    EXPECT_TRUE(std::filesystem::exists(facts.SystemDirectory() + "/libc.so.6")) << facts.SystemDirectory();
    EXPECT_EQ(facts.TempDirectory().back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(facts.TempDirectory()));

    const auto system = facts.Handles(0);
    ASSERT_TRUE(system);
    EXPECT_LT(system->used, system->capacity);
    const auto process = facts.Handles(1);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->capacity, Number(Output("sh -c 'ulimit -n'")));
    EXPECT_GE(process->used, 3u);  // at least the three standard streams
    EXPECT_FALSE(facts.Handles(2));
    EXPECT_EQ(facts.DecimalSeparator(), '.');
}

}  // namespace
