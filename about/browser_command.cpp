// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/browser_command.h"

#include "base/text_helpers.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Where the last ".EXE", ".BAT" or ".COM" ends, or npos. The name must end a
// word (end of line, blank or quote follows), so an address such as
// "--app=https://example.com/x" in a native line is not taken for a program.
std::size_t EndOfDosProgram(const std::string& line)
{
    for (std::size_t at = line.size(); at >= 4; --at) {
        const std::string tail = AsciiUpper(line.substr(at - 4, 4));
        if (tail != ".EXE" && tail != ".BAT" && tail != ".COM")
            continue;
        if (at == line.size() || IsBlank(line[at]) || line[at] == '"')
            return at;
    }
    return std::string::npos;
}

BrowserCommand SplitDosLine(const std::string& line, std::size_t programEnd)
{
    BrowserCommand command;
    command.program = line.substr(0, programEnd);
    if (!command.program.empty() && command.program.front() == '"')
        command.program.erase(0, 1);
    std::string rest = line.substr(programEnd);
    rest.erase(std::remove(rest.begin(), rest.end(), '"'), rest.end());
    std::vector<std::string> kept;
    for (const std::string& word : SplitCommandWords(rest))
        if (word.empty() || word.front() != '%')
            kept.push_back(word);
    command.parameters = JoinCommandWords(kept);
    return command;
}

}  // namespace

std::vector<std::string> SplitCommandWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size() &&
                std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos)
                word += line[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (IsBlank(c)) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == '"')
                quoted = true;
            else
                word += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::string JoinCommandWords(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty())
            line += ' ';
        const bool plain = !word.empty() && std::none_of(word.begin(), word.end(), [](char c) {
            return IsBlank(c) || c == '"' || c == '\\' || c == '`' || c == '$';
        });
        if (plain) {
            line += word;
            continue;
        }
        line += '"';
        for (char c : word) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                line += '\\';
            line += c;
        }
        line += '"';
    }
    return line;
}

BrowserCommand SplitBrowserCommand(const std::string& commandLine)
{
    const std::size_t dosEnd = EndOfDosProgram(commandLine);
    if (dosEnd != std::string::npos)
        return SplitDosLine(commandLine, dosEnd);

    BrowserCommand command;
    const std::vector<std::string> words = SplitCommandWords(commandLine);
    if (words.empty())
        return command;
    command.program = words.front();
    std::vector<std::string> kept;
    for (std::size_t i = 1; i < words.size(); ++i)
        if (words[i].empty() || words[i].front() != '%')
            kept.push_back(words[i]);
    command.parameters = JoinCommandWords(kept);
    return command;
}
