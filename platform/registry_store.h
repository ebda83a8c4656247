// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry's contents in memory and as text. The text is the familiar
// export form, so a person can read and edit the file:
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   "TileWallPaper"="1"
//   "Count"=dword:0000002a
//   "Bytes"=hex:01,ff
//   @="the key's default value"
// Key paths compare without regard to case and keep the spelling they were
// first written with; value names likewise.

#include "platform/registry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// "Control Panel\\Desktop\\" and "\\control panel\\desktop" name one key.
std::string NormaliseRegistryKey(const std::string& key);

class RegistryStore {
public:
    using Value = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;

    bool HasKey(platform::RootKey root, const std::string& key) const;
    // Makes the key and its parents; true when something was added.
    bool CreateKey(platform::RootKey root, const std::string& key);
    void Write(platform::RootKey root, const std::string& key, const std::string& name, Value value);
    const Value* Read(platform::RootKey root, const std::string& key, const std::string& name) const;

    std::string ToText() const;
    // Reads the text form; lines it does not understand are skipped, so a
    // damaged file loses only those lines.
    static RegistryStore FromText(const std::string& text);

private:
    struct Entry {
        std::string name;  // as first written
        Value value;
    };
    struct Key {
        std::string path;                     // "HKEY_CURRENT_USER\Control Panel\Desktop", as first written
        std::map<std::string, Entry> values;  // by upper-cased name
    };
    static std::string Id(platform::RootKey root, const std::string& key);
    std::map<std::string, Key> keys_;  // by upper-cased full path
};
