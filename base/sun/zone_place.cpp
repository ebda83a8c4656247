// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/sun/zone_place.h"

#include <charconv>
#include <cmath>

namespace {

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

// One signed coordinate of `degreeDigits` degree digits and minutes (and seconds) from `text` at `at`.
std::optional<double> Coordinate(std::string_view text, size_t& at, int degreeDigits)
{
    if (at >= text.size() || (text[at] != '+' && text[at] != '-')) {
        return std::nullopt;
    }
    const double sign = text[at] == '-' ? -1 : 1;
    size_t end = at + 1;
    while (end < text.size() && Digit(text[end])) {
        ++end;
    }
    const size_t digits = end - at - 1;
    if (digits != static_cast<size_t>(degreeDigits + 2) && digits != static_cast<size_t>(degreeDigits + 4)) {
        return std::nullopt;
    }
    auto Number = [&](size_t from, size_t count) {
        int value = 0;
        for (size_t i = 0; i < count; ++i) {
            value = value * 10 + (text[from + i] - '0');
        }
        return value;
    };
    const int degrees = Number(at + 1, degreeDigits);
    const int minutes = Number(at + 1 + degreeDigits, 2);
    const int seconds = digits > static_cast<size_t>(degreeDigits + 2) ? Number(at + 3 + degreeDigits, 2) : 0;
    if (minutes >= 60 || seconds >= 60) {
        return std::nullopt;
    }
    at = end;
    return sign * (degrees + minutes / 60.0 + seconds / 3600.0);
}

}  // namespace

std::optional<GeoPlace> ZonePlaceInTable(std::string_view table, std::string_view zoneName)
{
    if (zoneName.empty()) {
        return std::nullopt;
    }
    size_t lineStart = 0;
    while (lineStart < table.size()) {
        size_t lineEnd = table.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = table.size();
        }
        const std::string_view line = table.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        // codes \t coordinates \t zone [\t comment]
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            continue;
        }
        const size_t tab3 = line.find('\t', tab2 + 1);
        std::string_view zone = line.substr(tab2 + 1,
                                            tab3 == std::string_view::npos ? std::string_view::npos : tab3 - tab2 - 1);
        if (!zone.empty() && zone.back() == '\r') {
            zone.remove_suffix(1);
        }
        if (zone != zoneName) {
            continue;
        }
        const std::string_view coordinates = line.substr(tab1 + 1, tab2 - tab1 - 1);
        size_t at = 0;
        const std::optional<double> latitude = Coordinate(coordinates, at, 2);
        const std::optional<double> longitude = Coordinate(coordinates, at, 3);
        if (!latitude || !longitude || at != coordinates.size() || std::fabs(*latitude) > 90 ||
            std::fabs(*longitude) > 180) {
            return std::nullopt;
        }
        return GeoPlace{*latitude, *longitude};
    }
    return std::nullopt;
}

std::string ZoneNameFrom(std::string_view text)
{
    if (!text.empty() && text.front() == ':') {
        text.remove_prefix(1);
    }
    const size_t folder = text.rfind("zoneinfo/");
    if (folder != std::string_view::npos) {
        text.remove_prefix(folder + 9);
        for (const std::string_view variant : {"posix/", "right/"}) {
            if (text.substr(0, variant.size()) == variant) {
                text.remove_prefix(variant.size());
            }
        }
    } else if (!text.empty() && text.front() == '/') {
        return {};
    }
    // Database names are letters, digits, "/", "_", "-", "+"; a POSIX rule holds digits right after letters
    // with no "/" ("JST-9") and is no name of the tables' anyway.
    if (text.empty() || text.find("..") != std::string_view::npos) {
        return {};
    }
    for (const char c : text) {
        if (!(Digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == '_' || c == '-' ||
              c == '+')) {
            return {};
        }
    }
    return std::string(text);
}

std::string PlaceText(const GeoPlace& place)
{
    // to_chars, not printf: the text keeps its decimal point whatever the locale.
    auto Degrees = [](double value, const char* positive, const char* negative) {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed, 1);
        return std::string(digits, end.ptr) + "\u00b0 " + (value < 0 ? negative : positive);
    };
    return Degrees(place.latitude, "N", "S") + " " + Degrees(place.longitude, "E", "W");
}
