// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/registry_enhanced.h"

#include <cstring>

namespace {

std::vector<std::uint8_t> LittleEndianBytes(std::uint64_t bits)
{
    std::vector<std::uint8_t> bytes(8);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return bytes;
}

}  // namespace

TRegistryEnhanced::TRegistryEnhanced(platform::Registry& registry) : registry_(registry)
{
    splitter_.BreakString.assign(1, '\\');
}

std::optional<RegValuePlace> TRegistryEnhanced::PlaceOf(const std::string& name)
{
    if (Key.empty())
        return std::nullopt;
    std::string key = Key;
    if (key.back() == '\\')
        key.pop_back();
    if (key.size() > 1 && key.front() == '\\')
        key.erase(0, 1);

    splitter_.BaseString = name;
    splitter_.AllowEmptyString = false;
    splitter_.BreakApart();
    const std::vector<std::string>& pieces = splitter_.StringList();
    RegValuePlace place{std::string(1, '\\').append(key), name};
    if (pieces.size() >= 2) {
        for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
            place.key.append(1, '\\').append(pieces[i]);
        place.name = pieces.back();
    }
    return place;
}

void TRegistryEnhanced::WriteRegValue(const std::string& name, const RegVariant& value)
{
    const std::optional<RegValuePlace> place = PlaceOf(name);
    if (!place || !registry_.OpenKey(RootKey, place->key, true))
        return;
    const std::string& key = place->key;
    const std::string& valueName = place->name;
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        registry_.WriteDword(RootKey, key, valueName, static_cast<std::uint32_t>(*number));
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        registry_.WriteDword(RootKey, key, valueName, *flag ? 1u : 0u);
    } else if (const auto* real = std::get_if<double>(&value)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, real, sizeof bits);
        registry_.WriteBinary(RootKey, key, valueName, LittleEndianBytes(bits));
    } else if (const auto* money = std::get_if<RegCurrency>(&value)) {
        registry_.WriteBinary(RootKey, key, valueName, LittleEndianBytes(static_cast<std::uint64_t>(money->scaled)));
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        registry_.WriteString(RootKey, key, valueName, *text);
    }
}
