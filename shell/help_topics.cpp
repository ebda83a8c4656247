// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_topics.h"

#include <array>
#include <utility>

std::optional<std::string> HelpTopic(const std::string& document, int context)
{
    const std::string open = "<section id=\"ctx-" + std::to_string(context) + "\"";
    std::size_t at = document.find(open);
    // "ctx-1" must not match the opening of "ctx-15": the id ends at the quote.
    if (at == std::string::npos)
        return std::nullopt;
    const std::size_t bodyStart = document.find('>', at + open.size());
    if (bodyStart == std::string::npos)
        return std::nullopt;
    const std::size_t end = document.find("</section>", bodyStart);
    if (end == std::string::npos)
        return document.substr(bodyStart + 1);
    return document.substr(bodyStart + 1, end - bodyStart - 1);
}

int DialogHelpContext(std::string_view className)
{
    static constexpr std::array<std::pair<std::string_view, int>, 6> kDialogs{{
        {"TAlarmSetDlg", 29},
        {"TMsgDlg", 37},  // the alarm notice
        {"TCalendarDlg", 28},
        {"TConfigDlg", 31},
        {"TfrmInfoDlg", 35},
        {"TfrmAboutDlg", 19},
    }};
    for (const auto& [name, context] : kDialogs)
        if (name == className)
            return context;
    return 0;
}

int MenuHelpContext(std::string_view itemName)
{
    static constexpr std::array<std::pair<std::string_view, int>, 15> kItems{{
        {"pmnuAlarmSet", 29},
        {"pmnuAlarmOff", 36},
        {"K3", 24},  // the wallpaper submenu
        {"K4", 21},  // tile
        {"K5", 22},  // centre
        {"pmnuSaverOn", 23},
        {"pmnuWallPause", 16},
        {"pmnuSaverStop", 17},
        {"N6", 28},  // calendar
        {"N8", 35},  // information
        {"K2", 31},  // options
        {"pmnuIcon", 15},
        {"N3", kHelpContents},
        {"About1", 19},
        {"pmnuQuit", 20},
    }};
    for (const auto& [name, context] : kItems)
        if (name == itemName)
            return context;
    return -1;
}
