// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_helpers.h"

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string TrimOf(std::string_view text, const char* blanks)
{
    const auto b = text.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    const auto e = text.find_last_not_of(blanks);
    return std::string(text.substr(b, e - b + 1));
}

}  // namespace

std::string TrimBlanks(std::string_view text)
{
    return TrimOf(text, " \t");
}

std::string TrimBlanksAndReturns(std::string_view text)
{
    return TrimOf(text, " \t\r");
}

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

bool SameAsciiName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

std::string QuotedEscaped(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

bool HoldsLineBreak(std::string_view text)
{
    return text.find_first_of(std::string_view("\n\r\0", 3)) != std::string_view::npos;
}

std::size_t Utf8CharacterLength(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned min = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    unsigned value = c & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

std::string ShownEscaped(std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += text[i++];
            continue;
        }
        if (c >= 0x80) {
            if (const std::size_t length = Utf8CharacterLength(text, i)) {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        }
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case 0: out += "\\0"; break;
        default:
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            break;
        }
        ++i;
    }
    return out;
}
