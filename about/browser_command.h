// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web browser's command line, split into the program to start and the
// extra parameters that go before the address.

#include <string>
#include <vector>

struct BrowserCommand {
    std::string program;     // empty when no browser is known
    std::string parameters;  // words in command-line quoting, may be empty
};

// Splits a browser command line. A line naming a ".EXE", ".BAT" or ".COM"
// program gives everything up to that name as the program (its opening quote
// dropped) and the rest, quotes and "%" placeholders removed, as parameters.
// Any other line (a desktop entry's Exec) gives its first word as the program
// and the remaining words, "%" field codes removed, as parameters.
BrowserCommand SplitBrowserCommand(const std::string& commandLine);

// The words of a command line by the desktop-entry quoting rules: blanks
// separate words; inside double quotes a backslash escapes '"', '`', '$' and
// '\'. An unclosed quote runs to the end of the line.
std::vector<std::string> SplitCommandWords(const std::string& line);

// Joins words so that SplitCommandWords gives them back.
std::string JoinCommandWords(const std::vector<std::string>& words);
