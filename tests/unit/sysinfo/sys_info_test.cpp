// SPDX-License-Identifier: GPL-3.0-or-later
// The system information component over a fake machine.

#include "base/zelvaro_error.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_registry.h"
#include "sysinfo/sys_info.h"
#include "sysinfo/sysinfo_functions.h"

#include <gtest/gtest.h>

namespace {

using enum TLanguage;
using platform::DriveKind;
constexpr std::uint64_t kMB = 1048576;

TEST(MemoryInfo, FiguresInMegabytesAndSwapUsage)
{
    struct Case {
        std::uint64_t totalSwap, availSwap;
        int usage;
    };
    const Case cases[] = {
        {100 * kMB, 25 * kMB, 75},
        {3, 2, 33},  // truncated
        {0, 0, 0},   // no swap at all
        {29 * kMB, 0, 100},
        {100, 71, 29},
        {(16ull << 40), (8ull << 40), 50},
    };
    for (const Case& c : cases) {
        platform::FakeSystemFacts facts;
        facts.memory = {40, 16777216, 8 * kMB, c.totalSwap, c.availSwap, 6ull << 30, (5ull << 30) + kMB / 2};
        TMemoryInfo memory(facts);
        memory.Refresh();
        EXPECT_EQ(memory.PageFileUsage, c.usage) << c.totalSwap << " " << c.availSwap;
        EXPECT_EQ(memory.TotalPhys, 16);
        EXPECT_EQ(memory.AvailPhys, 8);
        EXPECT_EQ(memory.TotalVirtual, 6144);  // above 4 GiB, exact
        EXPECT_EQ(memory.AvailVirtual, 5120.5);
        EXPECT_EQ(memory.MemoryLoad, 40u);
    }
}

TEST(MemoryInfo, UnitChangeGathersAgainOnlyOnAChange)
{
    platform::FakeSystemFacts facts;
    facts.memory.totalPhys = 16777216;
    TMemoryInfo memory(facts);
    memory.Refresh();
    memory.SetSpaceUnit(TSpaceUnit::suMB);
    EXPECT_EQ(facts.memoryReads, 1);
    memory.SetSpaceUnit(TSpaceUnit::suKB);
    EXPECT_EQ(facts.memoryReads, 2);
    EXPECT_EQ(memory.TotalPhys, 16384);
}

platform::FakeSystemFacts Windows95Machine()
{
    platform::FakeSystemFacts facts;
    facts.version = platform::OsVersion{4, 0, 67109814, 1, ""};
    facts.drives = {{"A:", DriveKind::Removable},
                    {"C:", DriveKind::Fixed},
                    {"D:", DriveKind::CdRom},
                    {"N:", DriveKind::Remote},
                    {"R:", DriveKind::RamDisk}};
    facts.disk = platform::DiskSpace{8, 512, 1572864, 100 * kMB};
    facts.volume = {true, "DISK1", 0x1A2B3C4D,
                    255,  "FAT",   platform::kCasePreservedNames | platform::kUnicodeOnDisk | 8};
    facts.processor = {0, 0b101, 2, 586, 5, 0x020C};
    return facts;
}

TEST(SysInfo, GathersInFrenchThenSwitchesToEnglish)
{
    platform::FakeSystemFacts facts = Windows95Machine();
    TSysInfo info(facts);
    EXPECT_EQ(info.Language(), lgFrench);
    EXPECT_EQ(info.VersionInfo.PlatformText, "Windows 95 ou Win32");
    EXPECT_EQ(info.VersionInfo.VersionText, "4.0");
    EXPECT_EQ(info.DiskInfo.FreeSpace, "1.50 Mo");
    EXPECT_EQ(info.Drives.front(), "A:=Amovible/Disquette");
    EXPECT_EQ(info.ProcInfo.ProcessorRevision, "Mod\xC3\xA8le 2 Passe 12");

    const int memoryReads = facts.memoryReads;
    info.SetLanguage(lgEnglish);
    EXPECT_EQ(facts.memoryReads, memoryReads);  // the memory figures are not gathered again
    EXPECT_EQ(info.VersionInfo.PlatformText, "Windows 95 or Win32");
    EXPECT_EQ(info.VersionInfo.BuildNumber, 67109814u);
    EXPECT_EQ(info.DiskInfo.FreeSpace, "1.50 Mb");
    EXPECT_EQ(info.DiskInfo.TotalSpace, "100.00 Mb");
    EXPECT_EQ(info.Drives, (std::vector<std::string>{"A:=Removable/Floppy", "C:=Fixed", "D:=CD-ROM drive",
                                                     "N:=Remote drive", "R:=RAM Disk"}));
    EXPECT_EQ(info.ProcInfo.ProcessorRevision, "Model 2 Pass 12");
    EXPECT_EQ(info.ProcInfo.Architecture, "Intel");
    EXPECT_TRUE(info.ProcInfo.ActiveProcessors[0]);
    EXPECT_FALSE(info.ProcInfo.ActiveProcessors[1]);
    EXPECT_TRUE(info.ProcInfo.ActiveProcessors[2]);
    EXPECT_EQ(info.VolInfo.SerialNumber, "1A2B-3C4D");
    EXPECT_TRUE(info.VolInfo.LongFileNames);
    EXPECT_TRUE(info.VolInfo.HasFlag(fsCaseIsPreserved));
    EXPECT_TRUE(info.VolInfo.HasFlag(fsUnicodeStoredOnDisk));
    EXPECT_FALSE(info.VolInfo.HasFlag(fsCaseSensitive));
    EXPECT_EQ(info.VolInfo.FileSystemFlags & 8, 0u);  // not one of the five kept

    const int versionReads = facts.versionReads;
    const int driveReads = facts.driveReads;
    info.SetLanguage(lgEnglish);  // no change: nothing gathered
    EXPECT_EQ(facts.versionReads, versionReads);
    EXPECT_EQ(facts.driveReads, driveReads);
}

TEST(SysInfo, LaterMountsOverOnePlaceReplaceItAndGoLast)
{
    platform::FakeSystemFacts facts;
    facts.drives = {{"/", DriveKind::Fixed},
                    {"/mnt", DriveKind::Remote},
                    {"/media/usb", DriveKind::Removable},
                    {"/mnt", DriveKind::RamDisk},
                    {"/", DriveKind::CdRom}};
    TSysInfo info(facts);
    EXPECT_EQ(info.Drives,
              (std::vector<std::string>{"/media/usb=Amovible/Disquette", "/mnt=Disque RAM", "/=Lecteur CD-ROM"}));
}

TEST(SysInfo, WithoutFileSystemsNoMountIsAsked)
{
    // The information dialog's choice: a dead mount or thousands of mounts
    // cannot hold it up, in either language.
    platform::FakeSystemFacts facts = Windows95Machine();
    TSysInfo info(facts, SysInfoGather::WithoutFileSystems);
    info.SetLanguage(lgEnglish);
    info.Refresh();
    EXPECT_EQ(facts.driveReads + facts.diskReads + facts.volumeReads, 0);
    EXPECT_TRUE(info.DiskInfo.Failed);
    EXPECT_TRUE(info.VolInfo.Failed);
    EXPECT_TRUE(info.Drives.empty());
    EXPECT_EQ(info.ComputerName, "host");
    EXPECT_GT(facts.versionReads, 0);
}

TEST(SysInfo, ThisSystemGoesByItsNameAndFailuresFallBack)
{
    platform::FakeSystemFacts facts;
    facts.version = platform::OsVersion{6, 1, 7, -1, "Debian GNU/Linux 12 (bookworm)"};
    facts.computerName.reset();
    facts.userName.reset();
    facts.disk.reset();
    facts.volume = {false, "", 15, 12, "", 0};
    facts.drives = {{"/", DriveKind::Fixed}, {"/media/usb", DriveKind::Removable}, {"/media/usb", DriveKind::Fixed}};
    TSysInfo info(facts);
    EXPECT_EQ(info.ComputerName, "Introuvable");
    info.SetLanguage(lgEnglish);
    EXPECT_EQ(info.VersionInfo.PlatformText, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(info.VersionInfo.VersionText, "6.1");
    EXPECT_FALSE(info.VersionInfo.Failed);
    EXPECT_EQ(info.ComputerName, "Unknown");
    EXPECT_EQ(info.UserName, "Unknown");
    EXPECT_TRUE(info.DiskInfo.Failed);
    EXPECT_EQ(info.DiskInfo.FreeSpace, "0.00 Mb");
    EXPECT_TRUE(info.VolInfo.Failed);
    EXPECT_EQ(info.VolInfo.SerialNumber, "0000-000F");  // read even when the rest failed
    EXPECT_FALSE(info.VolInfo.LongFileNames);
    // A later mount over the same place replaces the earlier line.
    EXPECT_EQ(info.Drives, (std::vector<std::string>{"/=Fixed", "/media/usb=Fixed"}));

    facts.version.reset();
    info.VersionInfo.Refresh();
    EXPECT_TRUE(info.VersionInfo.Failed);
}

TEST(SysInfoFunctions, FreeHandleShares)
{
    platform::FakeSystemFacts facts;
    facts.handles[0] = {1195, 2466239};
    facts.handles[1] = {768, 1024};
    facts.handles[2] = {0, 10};
    EXPECT_EQ(FreeResourcePercent(facts, 0), 99);
    EXPECT_EQ(FreeResourcePercent(facts, 1), 25);
    facts.handles[1] = {1, 3};
    EXPECT_EQ(FreeResourcePercent(facts, 1), 66);
    facts.handles[1] = {5, 3};  // more in use than the limit: none free
    EXPECT_EQ(FreeResourcePercent(facts, 1), 0);
    facts.handles[0] = {0, UINT64_MAX};
    EXPECT_EQ(FreeResourcePercent(facts, 0), 100);
    EXPECT_EQ(FreeResourcePercent(facts, 3), 0);  // unreadable
}

TEST(SysInfoFunctions, RegistryTexts)
{
    using platform::RootKey;
    platform::MemoryRegistry registry;
    registry.WriteString(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "BootDir",
                         "/boot");
    registry.WriteString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner",
                         "Ann");
    registry.WriteDword(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOrganization",
                        7);
    EXPECT_EQ(ReadRegistryText(registry, RootKey::LocalMachine,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup\\BootDir"),
              "/boot");
    EXPECT_EQ(ReadRegistryText(registry, RootKey::LocalMachine, "SOFTWARE\\Missing\\BootDir"), "");
    EXPECT_EQ(ReadCurrentVersionValue(registry, "RegisteredOwner"), "Ann");
    EXPECT_EQ(ReadCurrentVersionValue(registry, "Missing"), "");
    EXPECT_THROW(ReadCurrentVersionValue(registry, "RegisteredOrganization"), ZelvaroError);
    // Reading never creates the key it looks in.
    EXPECT_FALSE(registry.OpenKey(RootKey::LocalMachine, "SOFTWARE\\Missing", false));
}

TEST(SysInfoFunctions, TempDirectoryEndsWithASlash)
{
    platform::FakeSystemFacts facts;
    facts.tempDirectory = "/var/tmp";
    EXPECT_EQ(GetTempDirectory(facts), "/var/tmp/");
    facts.tempDirectory = "/tmp/";
    EXPECT_EQ(GetTempDirectory(facts), "/tmp/");
}

}  // namespace
