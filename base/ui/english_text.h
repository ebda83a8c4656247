// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The English of a text of the interface, whatever language the windows
// speak: the log is read in bug reports, so it speaks English.

#include <string>

// `source` (a Japanese text of `context`) in English, from the translation
// built into the program; `source` itself where it has none.
std::string EnglishText(const char* context, const std::string& source);
