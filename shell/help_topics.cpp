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
