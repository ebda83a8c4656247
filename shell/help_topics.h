#pragma once
// The help file: one HTML document, one <section id="ctx-N"> per help
// context number, context 0 being the contents.

#include <optional>
#include <string>

inline constexpr int kHelpContents = 0;

// The inner HTML of the topic with help context `context`, or nothing when
// the document has no such topic.
std::optional<std::string> HelpTopic(const std::string& document, int context);
