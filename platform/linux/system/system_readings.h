// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers of the text files the kernel and the system keep (/proc/meminfo,
// /proc/self/mountinfo, /proc/cpuinfo, os-release, ...), apart from the
// reading itself so they can be checked with exact texts.

#include "platform/system_facts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A field of /proc/meminfo or /proc/self/status in bytes ("MemTotal:  16 kB"
// gives 16384); nothing when the field is missing.
std::optional<std::uint64_t> ProcSizeField(std::string_view text, std::string_view field);

// The version from the kernel's release ("6.1.0-13-amd64": 6 and 1) and its
// version string ("#1 SMP ...": build 1).
OsVersion KernelVersion(const std::string& release, const std::string& version);

// PRETTY_NAME of an os-release file, unquoted; empty when absent.
std::string OsReleasePrettyName(std::string_view text);

struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;        // the part of the file system mounted here
    std::string mountPoint;  // escapes (\040 ...) decoded
    std::string fsType;
    std::string source;
};
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// How a mount shows in the drive list; nothing for file systems a person does
// not look at (proc, cgroup, ... and whatever is mounted under /proc, /sys,
// /dev or /run other than /run/media).
std::optional<DriveKind> DriveKindOf(const MountEntry& mount, bool removableDevice);

// The volume flags of a file system type.
std::uint32_t VolumeFlagsOf(const std::string& fsType);

// The first processor's "cpu family", "model" and "stepping" of /proc/cpuinfo.
struct CpuSignature {
    unsigned family = 0;
    unsigned model = 0;
    unsigned stepping = 0;
};
std::optional<CpuSignature> ParseCpuInfo(std::string_view text);

// The architecture number of a machine name from uname ("x86_64" is 0).
std::uint32_t ArchitectureOf(const std::string& machine);

// The x86 processor type of a family: 386, 486, else 586.
std::uint32_t ProcessorTypeOf(unsigned family);

// /proc/sys/fs/file-nr: allocated, unused, maximum.
std::optional<HandleUse> ParseFileNr(std::string_view text);

// The user address space implied by the highest mapping of /proc/self/maps
// (below the kernel's half): the mapping's end rounded up to a power of two.
std::uint64_t AddressSpaceFromMaps(std::string_view maps);

// The directory of the C library among the mapped files of /proc/self/maps.
std::string CLibraryDirectory(std::string_view maps);

}  // namespace platform
