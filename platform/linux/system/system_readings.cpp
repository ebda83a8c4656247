// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/system_readings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <sstream>

namespace platform {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <class T>
std::optional<T> Number(std::string_view s, int base = 10)
{
    s = Trim(s);
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (ec != std::errc() || end == s.data())
        return std::nullopt;
    return value;
}

// Calls `f(line)` for each line.
template <class F>
void EachLine(std::string_view text, F f)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        f(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// "key<sep>value" lines: the value of the first line whose key matches.
std::optional<std::string_view> FieldValue(std::string_view text, std::string_view key, char separator)
{
    std::optional<std::string_view> found;
    EachLine(text, [&](std::string_view line) {
        const std::size_t at = line.find(separator);
        if (!found && at != std::string_view::npos && Trim(line.substr(0, at)) == key)
            found = Trim(line.substr(at + 1));
    });
    return found;
}

std::string DecodeOctalEscapes(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::string_view digits = i + 4 <= s.size() ? s.substr(i + 1, 3) : std::string_view();
        // Three octal digits of one byte (\040 is a space); anything else is as written.
        if (s[i] == '\\' && digits.size() == 3 && digits[0] <= '3' &&
            digits.find_first_not_of("01234567") == std::string_view::npos) {
            out += static_cast<char>(*Number<unsigned>(digits, 8));
            i += 3;
            continue;
        }
        out += s[i];
    }
    return out;
}

bool Under(const std::string& path, std::string_view dir)
{
    return path == dir ||
           (path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 && path[dir.size()] == '/');
}

}  // namespace

std::optional<std::uint64_t> ProcSizeField(std::string_view text, std::string_view field)
{
    const auto value = FieldValue(text, field, ':');
    if (!value)
        return std::nullopt;
    const auto number = Number<std::uint64_t>(*value);
    if (!number)
        return std::nullopt;
    return value->find("kB") != std::string_view::npos ? *number * 1024 : *number;
}

OsVersion KernelVersion(const std::string& release, const std::string& version)
{
    OsVersion v;
    std::string_view rest = release;
    const auto major = Number<std::uint16_t>(rest.substr(0, rest.find('.')));
    v.major = major.value_or(0);
    if (const std::size_t dot = rest.find('.'); dot != std::string_view::npos) {
        rest.remove_prefix(dot + 1);
        v.minor = Number<std::uint16_t>(rest.substr(0, rest.find_first_not_of("0123456789"))).value_or(0);
    }
    if (const std::size_t hash = version.find('#'); hash != std::string::npos) {
        const std::string_view after = std::string_view(version).substr(hash + 1);
        v.build = Number<std::uint32_t>(after.substr(0, after.find_first_not_of("0123456789"))).value_or(0);
    }
    return v;
}

std::string OsReleasePrettyName(std::string_view text)
{
    const auto value = FieldValue(text, "PRETTY_NAME", '=');
    if (!value)
        return {};
    std::string_view v = *value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size())
            ++i;
        out += v[i];
    }
    return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> mounts;
    EachLine(text, [&](std::string_view line) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        std::istringstream in{std::string(line)};
        std::string id, parent, device, root, mountPoint, options, word;
        if (!(in >> id >> parent >> device >> root >> mountPoint >> options))
            return;
        while (in >> word && word != "-") {}
        MountEntry m;
        if (word != "-" || !(in >> m.fsType))
            return;
        in >> m.source;
        const std::size_t colon = device.find(':');
        if (colon == std::string::npos)
            return;
        m.major = Number<unsigned>(std::string_view(device).substr(0, colon)).value_or(0);
        m.minor = Number<unsigned>(std::string_view(device).substr(colon + 1)).value_or(0);
        m.root = DecodeOctalEscapes(root);
        m.mountPoint = DecodeOctalEscapes(mountPoint);
        m.source = DecodeOctalEscapes(m.source);
        mounts.push_back(std::move(m));
    });
    return mounts;
}

std::optional<DriveKind> DriveKindOf(const MountEntry& mount, bool removableDevice)
{
    static const std::set<std::string, std::less<>> pseudo = {
        "autofs",     "binfmt_misc", "bpf",       "cgroup",    "cgroup2", "configfs", "debugfs", "devpts",
        "devtmpfs",   "efivarfs",    "fusectl",   "hugetlbfs", "mqueue",  "nsfs",     "proc",    "pstore",
        "rpc_pipefs", "securityfs",  "selinuxfs", "squashfs",  "sysfs",   "tracefs",
    };
    static const std::set<std::string, std::less<>> remote = {
        "9p",          "afs",       "ceph",  "cifs", "coda", "davfs", "fuse.sshfs",
        "fuse.rclone", "glusterfs", "ncpfs", "nfs",  "nfs4", "smb3",  "smbfs",
    };
    const std::string& type = mount.fsType;
    if (pseudo.contains(type))
        return std::nullopt;
    const std::string& at = mount.mountPoint;
    if (Under(at, "/proc") || Under(at, "/sys") || Under(at, "/dev") || Under(at, "/snap") ||
        (Under(at, "/run") && !Under(at, "/run/media")))
        return std::nullopt;
    if (remote.contains(type))
        return DriveKind::Remote;
    // Desktop helpers (portals, gvfs, lxcfs) mount user-space file systems no
    // person chose; those over a block device go by the device.
    if (type.starts_with("fuse") && type != "fuseblk")
        return std::nullopt;
    if (type == "iso9660" || type == "udf")
        return DriveKind::CdRom;
    if (type == "tmpfs" || type == "ramfs")
        return DriveKind::RamDisk;
    return removableDevice ? DriveKind::Removable : DriveKind::Fixed;
}

std::uint32_t VolumeFlagsOf(const std::string& fsType)
{
    // File systems of the other family keep names in UTF-16 and match them
    // without regard to case.
    static const std::set<std::string, std::less<>> caseInsensitive = {
        "vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "iso9660", "udf", "cifs", "smb3", "smbfs",
    };
    static const std::set<std::string, std::less<>> unicode = {
        "vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "iso9660", "udf", "cifs", "smb3", "smbfs",
    };
    std::uint32_t flags = kCasePreservedNames;
    if (fsType == "msdos")
        flags = 0;  // 8.3 names in upper case
    if (!caseInsensitive.contains(fsType))
        flags |= kCaseSensitiveSearch;
    if (unicode.contains(fsType))
        flags |= kUnicodeOnDisk;
    if (fsType == "btrfs" || fsType == "zfs" || fsType == "ntfs" || fsType == "ntfs3" || fsType == "f2fs")
        flags |= kFileCompression;
    return flags;
}

std::optional<CpuSignature> ParseCpuInfo(std::string_view text)
{
    // The first processor's block ends at the first empty line.
    const std::size_t end = text.find("\n\n");
    const std::string_view first = text.substr(0, end);
    const auto family = FieldValue(first, "cpu family", ':');
    if (!family)
        return std::nullopt;
    CpuSignature cpu;
    cpu.family = Number<unsigned>(*family).value_or(0);
    cpu.model = Number<unsigned>(FieldValue(first, "model", ':').value_or("0")).value_or(0);
    cpu.stepping = Number<unsigned>(FieldValue(first, "stepping", ':').value_or("0")).value_or(0);
    return cpu;
}

std::uint32_t ArchitectureOf(const std::string& machine)
{
    if (machine == "x86_64" || machine == "amd64" ||
        (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86"))
        return 0;
    if (machine.starts_with("mips"))
        return 1;
    if (machine.starts_with("alpha"))
        return 2;
    if (machine.starts_with("ppc") || machine.starts_with("powerpc"))
        return 3;
    if (machine == "aarch64" || machine == "arm64")
        return 12;
    if (machine.starts_with("arm"))
        return 5;
    if (machine == "ia64")
        return 6;
    return 0xFFFF;  // unknown
}

std::uint32_t ProcessorTypeOf(unsigned family)
{
    if (family == 3)
        return 386;
    if (family == 4)
        return 486;
    return 586;
}

std::optional<HandleUse> ParseFileNr(std::string_view text)
{
    std::istringstream in{std::string(text)};
    std::uint64_t allocated = 0, unused = 0, maximum = 0;
    if (!(in >> allocated >> unused >> maximum) || maximum == 0)
        return std::nullopt;
    return HandleUse{allocated >= unused ? allocated - unused : 0, maximum};
}

std::uint64_t AddressSpaceFromMaps(std::string_view maps)
{
    constexpr std::uint64_t kKernelHalf = std::uint64_t{1} << 63;
    std::uint64_t highest = 0;
    EachLine(maps, [&](std::string_view line) {
        const std::size_t dash = line.find('-');
        if (dash == std::string_view::npos)
            return;
        const std::string_view endText = line.substr(dash + 1, line.find(' ') - dash - 1);
        const auto end = Number<std::uint64_t>(endText, 16);
        if (end && *end < kKernelHalf)
            highest = std::max(highest, *end);
    });
    std::uint64_t size = 1;
    while (size < highest && size < kKernelHalf)
        size <<= 1;
    return highest == 0 ? 0 : size;
}

std::string CLibraryDirectory(std::string_view maps)
{
    std::string dir;
    EachLine(maps, [&](std::string_view line) {
        const std::size_t path = line.find('/');
        if (!dir.empty() || path == std::string_view::npos)
            return;
        const std::string_view file = line.substr(path);
        const std::size_t slash = file.rfind('/');
        const std::string_view name = file.substr(slash + 1);
        if (name.starts_with("libc.so") || (name.starts_with("libc-") && name.find(".so") != std::string_view::npos))
            dir = std::string(file.substr(0, slash == 0 ? 1 : slash));
    });
    return dir;
}

}  // namespace platform
