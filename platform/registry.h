// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry the program reads and writes: a small persistent store of its
// own (keys of named values: strings, 32-bit numbers, bytes). Reads of the
// few well-known system keys (boot directory, registered owner, the web
// browser's command line) are answered from this platform's own facts.
// Key paths use "\" between names and compare without regard to case; a
// leading or trailing "\" is ignored. The empty value name is the key's
// default value.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class RootKey { ClassesRoot, CurrentConfig, CurrentUser, DynData, LocalMachine, Users };

class Registry {
public:
    virtual ~Registry() = default;

    // Whether the key exists; with `create` it is made (with its parents) when
    // missing and kept. False when it neither exists nor could be made.
    virtual bool OpenKey(RootKey root, const std::string& key, bool create) = 0;

    // Writes create the key when missing; false when nothing was stored (the
    // store could not be written: the value is then not kept either).
    virtual bool WriteString(RootKey root, const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual bool WriteDword(RootKey root, const std::string& key, const std::string& name, std::uint32_t value) = 0;
    virtual bool WriteBinary(RootKey root, const std::string& key, const std::string& name,
                             const std::vector<std::uint8_t>& value) = 0;

    // Nothing when the key or the value is missing or of another kind.
    virtual std::optional<std::string> ReadString(RootKey root, const std::string& key,
                                                  const std::string& name) const = 0;
    virtual std::optional<std::uint32_t> ReadDword(RootKey root, const std::string& key,
                                                   const std::string& name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(RootKey root, const std::string& key,
                                                                const std::string& name) const = 0;
};

// Whether the registry asks for a tiled wallpaper ("TileWallPaper" is "1").
inline bool WallpaperTiled(const Registry& registry)
{
    const auto v = registry.ReadString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper");
    return v && *v == "1";
}

}  // namespace platform
