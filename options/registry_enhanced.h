// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes one named value under a key of the registry, the kind of the stored
// value following the kind of the given one. The clock window holds one for
// the desktop's tiling value.

#include "options/brk_apart.h"
#include "platform/registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A currency amount: the value times 10 000 as a 64-bit integer.
struct RegCurrency {
    std::int64_t scaled = 0;
};

// The kinds a value may be given as; std::monostate stands for every other
// kind, which writes nothing.
using RegVariant = std::variant<std::monostate, std::int32_t, bool, double, RegCurrency, std::string>;

// Where a write goes: the key (with its leading "\") and the value's name.
struct RegValuePlace {
    std::string key;
    std::string name;
};

class TRegistryEnhanced {
public:
    explicit TRegistryEnhanced(platform::Registry& registry);

    // Key path under RootKey; leading and trailing "\" are ignored.
    std::string Key;
    platform::RootKey RootKey = platform::RootKey::CurrentUser;
    std::vector<std::string> EntriesFound;

    // Where WriteRegValue(name, ...) writes: a name with "\" in it names a
    // subkey path and the value last ("Sub\Val" is Val in Key\Sub). Nothing
    // when Key is empty.
    std::optional<RegValuePlace> PlaceOf(const std::string& name);

    // Writes: integer and boolean as 32-bit numbers, double and currency as
    // 8 bytes (little-endian), text as text. Failures are silent.
    void WriteRegValue(const std::string& name, const RegVariant& value);

private:
    platform::Registry& registry_;
    TBrkApart splitter_;
};
