// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Facts about the machine and the running process: memory, system version,
// names, mounted drives, the current directory's file system, the processor,
// directories and how many file handles are free. Each call reads its source
// once; sizes are bytes in 64 bits.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct MemoryStatus {
    std::uint32_t memoryLoad = 0;  // percent of physical memory in use
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;  // swap
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;  // the process's address space
    std::uint64_t availVirtual = 0;
};

struct OsVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint32_t build = 0;
    // 0, 1 or 2 for the three systems the texts name; -1 for any other, which
    // then goes by `name`.
    int platformId = -1;
    std::string name;
};

enum class DriveKind { Removable, Fixed, Remote, CdRom, RamDisk };

struct Drive {
    std::string name;  // the mount point
    DriveKind kind = DriveKind::Fixed;
};

struct DiskSpace {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint64_t freeBytes = 0;  // what an unprivileged user may still write
    std::uint64_t totalBytes = 0;
};

// File-system flags, as the volume query reports them.
enum VolumeFlag : std::uint32_t {
    kCaseSensitiveSearch = 1,
    kCasePreservedNames = 2,
    kUnicodeOnDisk = 4,
    kFileCompression = 16,
    kVolumeIsCompressed = 32768,
};

struct VolumeFacts {
    bool ok = false;
    std::string name;  // the label, empty when it has none
    std::uint32_t serial = 0;
    std::uint32_t maxComponentLength = 0;
    std::string fileSystem;
    std::uint32_t flags = 0;  // VolumeFlag bits
};

struct ProcessorFacts {
    std::uint32_t architecture = 0;  // 0 x86 and x86-64, 1 MIPS, 2 Alpha, 3 PowerPC, 5 ARM, 12 ARM64...
    std::uint32_t activeMask = 0;    // bit i: processor i may run this process
    std::uint32_t count = 0;
    std::uint32_t type = 0;      // 386, 486, 586, ... 0 when unknown
    std::uint16_t level = 0;     // the family
    std::uint16_t revision = 0;  // model in the high byte, stepping in the low byte
};

// How much of a table of handles is taken.
struct HandleUse {
    std::uint64_t used = 0;
    std::uint64_t capacity = 0;
};

class SystemFacts {
public:
    virtual ~SystemFacts() = default;

    virtual MemoryStatus Memory() const = 0;
    // Nothing when the version cannot be read.
    virtual std::optional<OsVersion> Version() const = 0;
    // Nothing when unknown.
    virtual std::optional<std::string> ComputerName() const = 0;
    virtual std::optional<std::string> UserName() const = 0;
    // The mounted file systems a person would see, in mount order.
    virtual std::vector<Drive> Drives() const = 0;
    // The file system of the current directory; nothing when it cannot be read.
    virtual std::optional<DiskSpace> CurrentDisk() const = 0;
    virtual VolumeFacts CurrentVolume() const = 0;
    virtual ProcessorFacts Processor() const = 0;
    // The program's data directory (where the converted wallpaper goes).
    virtual std::string WindowsDirectory() const = 0;
    // The directory of the system's C library.
    virtual std::string SystemDirectory() const = 0;
    // The temporary directory, ending with "/".
    virtual std::string TempDirectory() const = 0;
    // Selector 0: the system's file-handle table; 1: this process's
    // descriptor limit. Nothing for another selector or when unreadable.
    virtual std::optional<HandleUse> Handles(int selector) const = 0;
    // The decimal separator of the user's locale.
    virtual char DecimalSeparator() const = 0;
};

}  // namespace platform
