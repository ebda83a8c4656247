// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/linux_system_facts.h"

#include "platform/linux/files/system_dirs.h"
#include "platform/linux/system/system_readings.h"

#include <pwd.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The block device's removable flag; a partition asks its whole disk.
bool RemovableDevice(unsigned major, unsigned minor)
{
    if (major == 0)
        return false;
    const std::string dir = "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
    std::string flag = ReadText(dir + "/removable");
    if (flag.empty() && std::filesystem::exists(dir + "/partition"))
        flag = ReadText(dir + "/../removable");
    return !flag.empty() && flag[0] == '1';
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The mount of the current directory: the last mount of its device.
std::optional<MountEntry> CurrentMount()
{
    struct stat st {};
    if (::stat(".", &st) != 0)
        return std::nullopt;
    std::optional<MountEntry> found;
    for (const MountEntry& m : ParseMountInfo(ReadText("/proc/self/mountinfo"))) {
        if (m.major == major(st.st_dev) && m.minor == minor(st.st_dev))
            found = m;
    }
    return found;
}

// The label udev lists for a device (/dev/disk/by-label, "\x20" for a space).
std::string LabelOf(const std::string& device)
{
    std::error_code ec;
    const std::filesystem::path byLabel("/dev/disk/by-label");
    if (device.empty() || !std::filesystem::is_directory(byLabel, ec))
        return {};
    const auto target = std::filesystem::canonical(device, ec);
    if (ec)
        return {};
    for (const auto& entry : std::filesystem::directory_iterator(byLabel, ec)) {
        std::error_code linkError;
        if (std::filesystem::canonical(entry.path(), linkError) != target || linkError)
            continue;
        const std::string name = entry.path().filename().string();
        std::string label;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name.compare(i, 2, "\\x") == 0 && i + 4 <= name.size()) {
                label += static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16));
                i += 3;
            } else {
                label += name[i];
            }
        }
        return label;
    }
    return {};
}

}  // namespace

MemoryStatus LinuxSystemFacts::Memory() const
{
    MemoryStatus m;
    const std::string meminfo = ReadText("/proc/meminfo");
    m.totalPhys = ProcSizeField(meminfo, "MemTotal").value_or(0);
    // Older kernels without MemAvailable: free memory is the nearest figure.
    m.availPhys = ProcSizeField(meminfo, "MemAvailable").value_or(ProcSizeField(meminfo, "MemFree").value_or(0));
    m.totalPageFile = ProcSizeField(meminfo, "SwapTotal").value_or(0);
    m.availPageFile = ProcSizeField(meminfo, "SwapFree").value_or(0);
    if (m.totalPhys > 0 && m.availPhys <= m.totalPhys)
        m.memoryLoad = static_cast<std::uint32_t>((m.totalPhys - m.availPhys) * 100 / m.totalPhys);

    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        m.totalVirtual = limit.rlim_cur;
    else
        m.totalVirtual = AddressSpaceFromMaps(ReadText("/proc/self/maps"));
    const std::uint64_t mapped = ProcSizeField(ReadText("/proc/self/status"), "VmSize").value_or(0);
    m.availVirtual = m.totalVirtual > mapped ? m.totalVirtual - mapped : 0;
    return m;
}

std::optional<OsVersion> LinuxSystemFacts::Version() const
{
    utsname names{};
    if (::uname(&names) != 0)
        return std::nullopt;
    OsVersion v = KernelVersion(names.release, names.version);
    std::string text = ReadText("/etc/os-release");
    if (text.empty())
        text = ReadText("/usr/lib/os-release");
    v.name = OsReleasePrettyName(text);
    if (v.name.empty())
        v.name = names.sysname;
    return v;
}

std::optional<std::string> LinuxSystemFacts::ComputerName() const
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return std::nullopt;
    return std::string(name);
}

std::optional<std::string> LinuxSystemFacts::UserName() const
{
    const passwd* pw = ::getpwuid(::getuid());
    if (!pw || !pw->pw_name)
        return std::nullopt;
    return std::string(pw->pw_name);
}

std::vector<Drive> LinuxSystemFacts::Drives() const
{
    std::vector<Drive> drives;
    for (const MountEntry& m : ParseMountInfo(ReadText("/proc/self/mountinfo"))) {
        const auto kind = DriveKindOf(m, RemovableDevice(m.major, m.minor));
        // A single file bound into place (a container's /etc/hosts) is no drive.
        if (kind && IsDirectory(m.mountPoint))
            drives.push_back({m.mountPoint, *kind});
    }
    return drives;
}

std::optional<DiskSpace> LinuxSystemFacts::CurrentDisk() const
{
    struct statvfs fs {};
    if (::statvfs(".", &fs) != 0)
        return std::nullopt;
    DiskSpace d;
    d.bytesPerSector = static_cast<std::uint32_t>(fs.f_frsize);
    d.sectorsPerCluster = fs.f_frsize ? static_cast<std::uint32_t>(fs.f_bsize / fs.f_frsize) : 0;
    d.freeBytes = static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
    d.totalBytes = static_cast<std::uint64_t>(fs.f_blocks) * fs.f_frsize;
    return d;
}

VolumeFacts LinuxSystemFacts::CurrentVolume() const
{
    VolumeFacts v;
    struct statvfs fs {};
    if (::statvfs(".", &fs) != 0)
        return v;
    v.serial = static_cast<std::uint32_t>(fs.f_fsid);
    v.maxComponentLength = static_cast<std::uint32_t>(fs.f_namemax);
    const std::optional<MountEntry> mount = CurrentMount();
    if (!mount)
        return v;
    v.ok = true;
    v.fileSystem = mount->fsType;
    v.flags = VolumeFlagsOf(mount->fsType);
    v.name = LabelOf(mount->source);
    return v;
}

ProcessorFacts LinuxSystemFacts::Processor() const
{
    ProcessorFacts p;
    utsname names{};
    if (::uname(&names) == 0)
        p.architecture = ArchitectureOf(names.machine);
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    p.count = online > 0 ? static_cast<std::uint32_t>(online) : 1;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        for (unsigned i = 0; i < 32; ++i)
            if (CPU_ISSET(i, &set))
                p.activeMask |= 1u << i;
    }
    if (p.architecture == 0) {
        if (const auto cpu = ParseCpuInfo(ReadText("/proc/cpuinfo"))) {
            p.type = ProcessorTypeOf(cpu->family);
            p.level = static_cast<std::uint16_t>(cpu->family);
            p.revision = static_cast<std::uint16_t>(((cpu->model & 0xFFu) << 8) | (cpu->stepping & 0xFFu));
        }
    }
    return p;
}

std::string LinuxSystemFacts::WindowsDirectory() const
{
    return platform::WindowsDirectory();
}

std::string LinuxSystemFacts::SystemDirectory() const
{
    return CLibraryDirectory(ReadText("/proc/self/maps"));
}

std::string LinuxSystemFacts::TempDirectory() const
{
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = (tmp && *tmp == '/' && IsDirectory(tmp)) ? std::string(tmp) : std::string("/tmp");
    if (dir.back() != '/')
        dir += '/';
    return dir;
}

std::optional<HandleUse> LinuxSystemFacts::Handles(int selector) const
{
    if (selector == 0)
        return ParseFileNr(ReadText("/proc/sys/fs/file-nr"));
    if (selector != 1)
        return std::nullopt;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur == 0)
        return std::nullopt;
    std::error_code ec;
    std::uint64_t open = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        ++open;
    if (ec)
        return std::nullopt;
    // The listing's own descriptor is not one of the program's.
    return HandleUse{open > 0 ? open - 1 : 0, static_cast<std::uint64_t>(limit.rlim_cur)};
}

char LinuxSystemFacts::DecimalSeparator() const
{
    const lconv* conventions = std::localeconv();
    return conventions && conventions->decimal_point && *conventions->decimal_point ? *conventions->decimal_point : '.';
}

}  // namespace platform
