// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the key files of the desktop (mimeapps.list, defaults.list and
// desktop entries): "[group]" lines, "key=value" lines and "#" comments.
// Platform-free text, so it sits in core where the fuzz targets reach it.

#include <optional>
#include <string>

// The value of `key` in `[group]`, blanks around it removed; keys and groups
// match exactly and the first of duplicates wins. Nothing when it is not there.
std::optional<std::string> KeyFileValue(const std::string& content, const std::string& group, const std::string& key);

// A desktop entry's string escapes undone: \s \n \t \r \\ (any other
// backslash stays as written).
std::string UnescapeKeyFileString(const std::string& value);
