// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's error type: a failure that carries the message text the user
// sees. Handlers raise it; the application's error handler shows it in a
// message box captioned with the application title and the program runs on.

#include <stdexcept>
#include <string>

class ZelvaroError : public std::runtime_error {
public:
    explicit ZelvaroError(const std::string& message) : std::runtime_error(message) {}
};

// The text the error box shows: a full stop is added when the message's last
// character sorts after "." (every Japanese character does).
std::string ErrorBoxText(const std::string& message);

// Replaces the first "%s" in a message pattern by the argument.
std::string FormatMessage1(const std::string& pattern, const std::string& argument);
