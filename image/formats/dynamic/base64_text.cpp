// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/base64_text.h"

namespace {

int SextetOf(char c)
{
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

bool Space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    uint32_t bits = 0;
    int held = 0;
    size_t padding = 0;
    for (const char c : text) {
        if (Space(c)) {
            continue;
        }
        if (c == '=') {
            ++padding;
            continue;
        }
        const int sextet = SextetOf(c);
        if (sextet < 0 || padding > 0) {
            return std::nullopt;
        }
        bits = (bits << 6) | static_cast<uint32_t>(sextet);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> held));
            bits &= (1u << held) - 1;
        }
    }
    // Leftover bits make a byte only in a cut text; padding beyond a group's is no base64.
    if (held >= 6 || padding > 2 || bits != 0) {
        return std::nullopt;
    }
    return bytes;
}
