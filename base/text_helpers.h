// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers shared by the settings file, the time parser, the
// registry store and the desktop backends.

#include <string>
#include <string_view>

// The text without leading and trailing blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);

// The text with ASCII letters in upper case; other bytes (UTF-8 included) stay.
std::string AsciiUpper(std::string text);

// Whether two names are equal without regard to ASCII case.
bool SameAsciiName(std::string_view a, std::string_view b);

// The text in double quotes with backslash, quote and line feed escaped
// ("a\"b" for a"b): readable back by a reader of such escapes.
std::string QuotedEscaped(std::string_view text);
