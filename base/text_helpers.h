// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers shared by the settings file, the time parser, the
// registry store and the desktop backends.

#include <string>
#include <string_view>

// The text without leading and trailing blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);
// The same, a carriage return (a line of a file written on another system)
// counting as a blank too.
std::string TrimBlanksAndReturns(std::string_view text);

// The text with ASCII letters in upper case; other bytes (UTF-8 included) stay.
std::string AsciiUpper(std::string text);

// Whether two names are equal without regard to ASCII case.
bool SameAsciiName(std::string_view a, std::string_view b);

// The text in double quotes with backslash, quote and line feed escaped
// ("a\"b" for a"b): readable back by a reader of such escapes.
std::string QuotedEscaped(std::string_view text);

// Whether the text holds a line feed, carriage return or NUL: characters no
// line of a settings file can hold inside a value.
bool HoldsLineBreak(std::string_view text);

// The length of the well-formed UTF-8 character at `at` (1 to 4), or 0 when
// the byte there starts none (a name on this system may hold any bytes).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at);

// The text as a message can show it: control characters as \n, \r, \t, \0 or
// \xNN, and bytes that are not UTF-8 as \xNN, so nothing is hidden or
// replaced; a backslash stays as it is.
std::string ShownEscaped(std::string_view text);
