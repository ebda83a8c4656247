// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_xmp.h"

#include <cctype>

namespace {

bool Space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of `name="..."` (or '...') or of `<name>...</name>`, wherever the name first stands as one.
std::optional<std::string> PropertyValue(std::string_view xmp, std::string_view name)
{
    for (size_t at = xmp.find(name); at != std::string_view::npos; at = xmp.find(name, at + 1)) {
        // Not the tail of a longer name.
        if (at > 0 && !Space(xmp[at - 1]) && xmp[at - 1] != '<') {
            continue;
        }
        size_t p = at + name.size();
        const bool element = at > 0 && xmp[at - 1] == '<';
        while (p < xmp.size() && Space(xmp[p])) {
            ++p;
        }
        if (p >= xmp.size()) {
            return std::nullopt;
        }
        if (element) {
            if (xmp[p] != '>') {
                continue;
            }
            const size_t end = xmp.find('<', p + 1);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            return std::string(xmp.substr(p + 1, end - p - 1));
        }
        if (xmp[p] != '=') {
            continue;
        }
        ++p;
        while (p < xmp.size() && Space(xmp[p])) {
            ++p;
        }
        if (p >= xmp.size() || (xmp[p] != '"' && xmp[p] != '\'')) {
            continue;
        }
        const size_t end = xmp.find(xmp[p], p + 1);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        return std::string(xmp.substr(p + 1, end - p - 1));
    }
    return std::nullopt;
}

}  // namespace

std::optional<XmpSchedule> FindScheduleInXmp(std::string_view xmp)
{
    const struct {
        std::string_view name;
        DynamicSchedule::Kind kind;
    } properties[] = {
        {"apple_desktop:solar", DynamicSchedule::Kind::Sun},
        {"apple_desktop:h24", DynamicSchedule::Kind::DayTimes},
        {"apple_desktop:apr", DynamicSchedule::Kind::LightDark},
    };
    for (const auto& property : properties) {
        if (std::optional<std::string> value = PropertyValue(xmp, property.name)) {
            return XmpSchedule{property.kind, std::move(*value)};
        }
    }
    return std::nullopt;
}
