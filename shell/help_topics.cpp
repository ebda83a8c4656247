#include "shell/help_topics.h"

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
