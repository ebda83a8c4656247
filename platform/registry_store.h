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
//
// A key is held once, by its whole path; its parents exist without being
// held (a key exists when it or a key below it was written), so a store costs
// about what its file weighs. A key more than `kMaxDepth` names deep is not
// read: its lines are kept as they were and written back byte for byte, after
// every other key.

#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// "Control Panel\\Desktop\\" and "\\control panel\\desktop" name one key.
std::string NormaliseRegistryKey(const std::string& key);

class RegistryStore {
public:
    using Value = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;
    static constexpr std::size_t kMaxDepth = 512;

    // Whether the key was made or written, or a key below it was.
    bool HasKey(platform::RootKey root, const std::string& key) const;
    // Makes the key; true when it did not exist before. False too for a key
    // deeper than `kMaxDepth`, which is never made.
    bool CreateKey(platform::RootKey root, const std::string& key);
    // False, with nothing kept, for a key deeper than `kMaxDepth`.
    bool Write(platform::RootKey root, const std::string& key, const std::string& name, Value value);
    const Value* Read(platform::RootKey root, const std::string& key, const std::string& name) const;
    // The value when it is of kind T (text, number or bytes); nothing when it
    // is missing or of another kind.
    template <class T>
    std::optional<T> ReadAs(platform::RootKey root, const std::string& key, const std::string& name) const
    {
        const Value* v = Read(root, key, name);
        if (!v || !std::holds_alternative<T>(*v))
            return std::nullopt;
        return std::get<T>(*v);
    }

    std::string ToText() const;
    // Reads the text form; lines it does not understand are skipped, so a
    // damaged file loses only those lines.
    static RegistryStore FromText(std::string_view text);
    // Reads the file's bytes: UTF-8 (with or without a byte order mark) or
    // UTF-16 with its byte order mark. Nothing when they are UTF-16 that does
    // not decode, so the caller can leave such a file alone.
    static std::optional<RegistryStore> FromBytes(const std::string& bytes);

private:
    // A piece of `text_`.
    struct Span {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    struct KeyRecord {
        Span path;          // "HKEY_CURRENT_USER\Control Panel\Desktop", as first written
        std::uint32_t seq;  // the order it was read in, while reading
    };
    struct ValueRecord {
        std::uint32_t key;  // index into keys_
        std::uint32_t seq;
        Span name;  // as first written
        Value value;
    };
    struct KeptLine {
        std::uint32_t key;  // 0 before any key, else 1 + index into keys_
        Span line;
    };

    std::string_view View(Span span) const;
    Span Add(std::string_view text);
    // The first key not ordered before `path` (upper-cased comparison).
    std::size_t KeyBound(std::string_view path) const;
    std::optional<std::size_t> FindKey(std::string_view path) const;
    std::size_t FindOrInsertKey(std::string_view path);
    // Orders and merges what was read: each key and each value once. Gives
    // where each key read before went.
    std::vector<std::uint32_t> Settle();

    std::string text_;  // key paths, value names, kept lines
    // Deques, so a store being read never holds two copies of its records.
    std::deque<KeyRecord> keys_;      // by upper-cased path
    std::deque<ValueRecord> values_;  // by key, then by upper-cased name
    std::deque<KeptLine> kept_;       // by key, then in the order read
    std::vector<Span> deep_;          // keys past the depth limit with their lines, as read
};
