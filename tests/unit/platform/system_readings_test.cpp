// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of the kernel's and the system's text files, with exact texts.

#include "platform/linux/system/system_readings.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(SystemReadings, MeminfoFieldsInBytes)
{
    const char* meminfo = "MemTotal:       24669524 kB\nMemFree:          123 kB\nMemAvailable:   20000000 kB\n"
                          "SwapTotal:             0 kB\nHugePages_Total:       0\n";
    EXPECT_EQ(ProcSizeField(meminfo, "MemTotal"), 24669524ull * 1024);  // beyond 32 bits
    EXPECT_EQ(ProcSizeField(meminfo, "MemAvailable"), 20000000ull * 1024);
    EXPECT_EQ(ProcSizeField(meminfo, "SwapTotal"), 0u);
    EXPECT_EQ(ProcSizeField(meminfo, "HugePages_Total"), 0u);
    EXPECT_EQ(ProcSizeField(meminfo, "SwapFree"), std::nullopt);
    EXPECT_EQ(ProcSizeField(meminfo, "Mem"), std::nullopt);  // whole names only
}

TEST(SystemReadings, KernelVersionAndSystemName)
{
    struct Case {
        const char *release, *version;
        std::uint16_t major, minor;
        std::uint32_t build;
    };
    const Case cases[] = {
        {"6.1.0-13-amd64", "#1 SMP PREEMPT_DYNAMIC Debian 6.1.55-1 (2023-09-29)", 6, 1, 1},
        {"6.18.44-fc-v1300", "#1 SMP PREEMPT_DYNAMIC @0", 6, 18, 1},
        {"5.15.0-91-generic", "#101-Ubuntu SMP Tue Nov 14 13:30:08 UTC 2023", 5, 15, 101},
        {"4.19", "", 4, 19, 0},
        {"", "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const OsVersion v = KernelVersion(c.release, c.version);
        EXPECT_EQ(v.major, c.major) << c.release;
        EXPECT_EQ(v.minor, c.minor) << c.release;
        EXPECT_EQ(v.build, c.build) << c.release;
    }
    EXPECT_EQ(OsReleasePrettyName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME='Arch Linux'"), "Arch Linux");
    EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME=Plain\n"), "Plain");
    EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME=\"Say \\\"hi\\\"\""), "Say \"hi\"");
    EXPECT_EQ(OsReleasePrettyName("NAME=Debian\n"), "");
}

TEST(SystemReadings, MountsBecomeDrives)
{
    const char* mountinfo = "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                            "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                            "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
                            "40 27 8:17 / /media/My\\040Stick rw,nosuid shared:9 - vfat /dev/sdb1 rw\n"
                            "41 27 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
                            "42 27 0:50 / /mnt/share rw - nfs4 server:/export rw\n"
                            "43 27 0:51 / /mnt/ram rw - tmpfs none rw\n"
                            "44 27 0:52 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                            "45 27 0:53 / /run/media/ann/USB rw - exfat /dev/sdc1 rw\n"
                            "46 27 0:54 / /run/user/1000/doc rw - fuse.portal portal rw\n"
                            "47 27 0:55 / /home/ann/remote rw - fuse.sshfs ann@host: rw\n"
                            "48 27 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
                            "49 27 0:56 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
                            "garbage line\n";
    const auto mounts = ParseMountInfo(mountinfo);
    ASSERT_EQ(mounts.size(), 13u);
    EXPECT_EQ(mounts[3].mountPoint, "/media/My Stick");
    EXPECT_EQ(mounts[3].major, 8u);
    EXPECT_EQ(mounts[3].minor, 17u);
    EXPECT_EQ(mounts[3].fsType, "vfat");  // past the optional fields
    EXPECT_EQ(mounts[3].source, "/dev/sdb1");

    std::vector<std::pair<std::string, DriveKind>> drives;
    for (const MountEntry& m : mounts) {
        if (const auto kind = DriveKindOf(m, m.source == "/dev/sdb1" || m.source == "/dev/sdc1"))
            drives.emplace_back(m.mountPoint, *kind);
    }
    EXPECT_EQ(drives, (std::vector<std::pair<std::string, DriveKind>>{
                          {"/", DriveKind::Fixed},
                          {"/media/My Stick", DriveKind::Removable},
                          {"/media/cdrom", DriveKind::CdRom},
                          {"/mnt/share", DriveKind::Remote},
                          {"/mnt/ram", DriveKind::RamDisk},
                          {"/run/media/ann/USB", DriveKind::Removable},
                          {"/home/ann/remote", DriveKind::Remote},
                      }));
}

TEST(SystemReadings, DamagedMountLinesAreSkipped)
{
    const char* mountinfo = "1 2 8:1 / /a rw - ext4\n"                 // no source: kept, source empty
                            "1 2 8:1 / /b rw shared:1\n"               // no separator
                            "1 2 81 / /c rw - ext4 /dev/x rw\n"        // no major:minor
                            "1 2 8:1 /\n"                              // cut short
                            "1 2 8:1 / /d\\04 rw - ext4 /dev/x rw\n"   // escape cut short stays as written
                            "1 2 8:1 / /e\\777 rw - ext4 /dev/x rw\n"  // beyond a byte: as written
                            "1 2 8:1 / /f\\ rw - ext4 /dev/x rw";      // last line without its end
    std::vector<std::string> points;
    for (const MountEntry& m : ParseMountInfo(mountinfo))
        points.push_back(m.mountPoint);
    EXPECT_EQ(points, (std::vector<std::string>{"/a", "/d\\04", "/e\\777", "/f\\"}));
}

TEST(SystemReadings, VolumeFlagsByFileSystem)
{
    EXPECT_EQ(VolumeFlagsOf("ext4"), kCasePreservedNames | kCaseSensitiveSearch);
    EXPECT_EQ(VolumeFlagsOf("vfat"), kCasePreservedNames | kUnicodeOnDisk);
    EXPECT_EQ(VolumeFlagsOf("btrfs"), kCasePreservedNames | kCaseSensitiveSearch | kFileCompression);
    EXPECT_EQ(VolumeFlagsOf("msdos"), 0u);
}

TEST(SystemReadings, Processor)
{
    const char* cpuinfo = "processor\t: 0\nvendor_id\t: AuthenticAMD\ncpu family\t: 25\nmodel\t\t: 17\n"
                          "model name\t: AMD EPYC\nstepping\t: 1\n\nprocessor\t: 1\ncpu family\t: 6\n";
    const auto cpu = ParseCpuInfo(cpuinfo);
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->family, 25u);
    EXPECT_EQ(cpu->model, 17u);  // not "model name"
    EXPECT_EQ(cpu->stepping, 1u);
    EXPECT_FALSE(ParseCpuInfo("processor : 0\nCPU implementer : 0x41\n"));

    EXPECT_EQ(ArchitectureOf("x86_64"), 0u);
    EXPECT_EQ(ArchitectureOf("i686"), 0u);
    EXPECT_EQ(ArchitectureOf("aarch64"), 12u);
    EXPECT_EQ(ArchitectureOf("armv7l"), 5u);
    EXPECT_EQ(ArchitectureOf("ppc64le"), 3u);
    EXPECT_EQ(ArchitectureOf("riscv64"), 0xFFFFu);
    EXPECT_EQ(ProcessorTypeOf(4), 486u);
    EXPECT_EQ(ProcessorTypeOf(25), 586u);
}

TEST(SystemReadings, HandlesAddressSpaceAndLibraryDirectory)
{
    const auto files = ParseFileNr("1195\t0\t2466239\n");
    ASSERT_TRUE(files);
    EXPECT_EQ(files->used, 1195u);
    EXPECT_EQ(files->capacity, 2466239u);
    EXPECT_FALSE(ParseFileNr(""));

    const char* maps = "55d0c0000000-55d0c0001000 r--p 00000000 fe:00 123 /usr/bin/zelvaro\n"
                       "7f1e2a000000-7f1e2a028000 r--p 00000000 fe:00 456 /usr/lib/x86_64-linux-gnu/libc.so.6\n"
                       "7ffc8e000000-7ffc8e021000 rw-p 00000000 00:00 0 [stack]\n"
                       "ffffffffff600000-ffffffffff601000 --xp 00000000 00:00 0 [vsyscall]\n";
    EXPECT_EQ(AddressSpaceFromMaps(maps), 1ull << 47);
    EXPECT_EQ(CLibraryDirectory(maps), "/usr/lib/x86_64-linux-gnu");
    EXPECT_EQ(CLibraryDirectory("7f00-7f01 r--p 0 fe:00 1 /lib/libcrypt.so.1\n"), "");
}

}  // namespace
