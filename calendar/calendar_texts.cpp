// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_texts.h"

#include <cstdio>

namespace {

// Decodes one UTF-8 character at text[i]; returns its length in bytes (an
// invalid or cut sequence counts as one byte of one column).
std::size_t NextCharacter(const std::string& text, std::size_t i, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC2)
        length = 2;
    if (length == 1 || i + length > text.size()) {
        codePoint = lead < 0x80 ? lead : U'?';
        return 1;
    }
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t n = 1; n < length; ++n) {
        const auto next = static_cast<unsigned char>(text[i + n]);
        if ((next & 0xC0) != 0x80) {
            codePoint = U'?';
            return 1;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    codePoint = cp;
    return length;
}

}  // namespace

int ColumnsOf(char32_t c)
{
    if ((c >= 0x0300 && c <= 0x036F) || (c >= 0x3099 && c <= 0x309A) || c == 0x200B)
        return 0;
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
                      (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                      (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

std::string CutToColumns(const std::string& text, int columns)
{
    std::size_t i = 0;
    int used = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t length = NextCharacter(text, i, cp);
        const int width = ColumnsOf(cp);
        if (used + width > columns)
            break;
        used += width;
        i += length;
    }
    return text.substr(0, i);
}

std::string CalendarTitle(int year, const std::string& monthName, const std::string& pattern)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", year);
    std::string title = pattern;
    // Both marks are found in the pattern before either is filled in, so a
    // month name holding "%1" stays as it is.
    const auto yearAt = title.find("%1");
    const auto monthAt = title.find("%2");
    if (yearAt != std::string::npos && monthAt != std::string::npos) {
        if (yearAt < monthAt) {
            title.replace(monthAt, 2, monthName);
            title.replace(yearAt, 2, digits);
        } else {
            title.replace(yearAt, 2, digits);
            title.replace(monthAt, 2, monthName);
        }
        return title;
    }
    return std::string(digits) + " " + monthName;
}

std::vector<std::string> CalendarDayNames(const std::vector<std::string>& localeNames)
{
    std::vector<std::string> names(7);
    for (std::size_t i = 0; i < names.size() && i < localeNames.size(); ++i)
        names[i] = CutToColumns(localeNames[i], 3);
    return names;
}
