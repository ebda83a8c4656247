// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help file: one HTML document, one <section id="ctx-N"> per help
// context number, context 0 being the contents.

#include <optional>
#include <string>
#include <string_view>

inline constexpr int kHelpContents = 0;

// The inner HTML of the topic with help context `context`, or nothing when
// the document has no such topic.
std::optional<std::string> HelpTopic(const std::string& document, int context);

// The help context of each dialog, by its class name (F1 in the dialog opens
// it); 0 for a window without one of its own.
int DialogHelpContext(std::string_view className);

// The help context of each command menu item, by its object name (F1 on the
// highlighted item opens it; "Help" itself opens the contents, 0); -1 for a
// name that is not an item, such as a separator.
int MenuHelpContext(std::string_view itemName);
