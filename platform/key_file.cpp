// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/key_file.h"

#include "base/text_helpers.h"

#include <sstream>

std::optional<std::string> KeyFileValue(const std::string& content, const std::string& group, const std::string& key)
{
    std::istringstream in(content);
    std::string line;
    bool inGroup = false;
    while (std::getline(in, line)) {
        line = TrimBlanksAndReturns(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inGroup = line == "[" + group + "]";
            continue;
        }
        const auto equals = line.find('=');
        if (inGroup && equals != std::string::npos && TrimBlanksAndReturns(line.substr(0, equals)) == key)
            return TrimBlanksAndReturns(line.substr(equals + 1));
    }
    return std::nullopt;
}

std::string UnescapeKeyFileString(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default:
            out += '\\';
            out += value[i];
            break;
        }
    }
    return out;
}
