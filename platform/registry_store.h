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
// first written with; value names likewise. A file exported as UTF-16
// ("Windows Registry Editor Version 5.00") reads as well; it is written back
// in the form above. Lines the store does not understand (comments, value
// types it does not know) are kept and written back where they stood.

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
    // Reads the file's bytes: UTF-8 (with or without a byte order mark) or
    // UTF-16 with its byte order mark. Nothing when they are UTF-16 that does
    // not decode, so the caller can leave such a file alone.
    static std::optional<RegistryStore> FromBytes(const std::string& bytes);

private:
    struct Entry {
        std::string name;  // as first written
        Value value;
    };
    struct Key {
        std::string path;                     // "HKEY_CURRENT_USER\Control Panel\Desktop", as first written
        std::map<std::string, Entry> values;  // by upper-cased name
        std::vector<std::string> kept;        // lines not understood, in their order
    };
    static std::string Id(platform::RootKey root, const std::string& key);
    std::map<std::string, Key> keys_;  // by upper-cased full path
    std::vector<std::string> kept_;    // lines not understood outside any known key
};
