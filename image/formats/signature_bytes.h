// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the formats' signature tests read in a file's first bytes.

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace signature_bytes {

inline bool StartsWith(std::span<const uint8_t> head, std::string_view magic, std::size_t at = 0)
{
    return head.size() >= at + magic.size() && std::memcmp(head.data() + at, magic.data(), magic.size()) == 0;
}

inline uint32_t BigEndian32(std::span<const uint8_t> b, std::size_t at)
{
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

inline uint32_t LittleEndian32(std::span<const uint8_t> b, std::size_t at)
{
    return uint32_t{b[at + 3]} << 24 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 1]} << 8 | b[at];
}

}  // namespace signature_bytes
