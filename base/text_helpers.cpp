// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_helpers.h"

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string TrimBlanks(std::string_view text)
{
    const auto b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    const auto e = text.find_last_not_of(" \t");
    return std::string(text.substr(b, e - b + 1));
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
