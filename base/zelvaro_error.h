// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's error type: a failure that carries the message text the user
// sees. Handlers raise it; the application's error handler shows it in a
// message box captioned with the application title and the program runs on.

#include <stdexcept>
#include <string>

// Replaces the first "%s" in a message pattern by the argument.
std::string FormatMessage1(const std::string& pattern, const std::string& argument);

class ZelvaroError : public std::runtime_error {
public:
    explicit ZelvaroError(const std::string& message) : std::runtime_error(message), pattern_(message) {}
    // A message made of a pattern with one "%s" and its argument: the box
    // translates the pattern, then puts the argument in.
    ZelvaroError(const std::string& pattern, const std::string& argument)
        : std::runtime_error(FormatMessage1(pattern, argument)), pattern_(pattern), argument_(argument)
    {}
    const std::string& Pattern() const { return pattern_; }
    const std::string& Argument() const { return argument_; }

private:
    std::string pattern_;
    std::string argument_;
};

// The text the error box shows: a full stop is added when the message's last
// character sorts after "." (every Japanese character does).
std::string ErrorBoxText(const std::string& message);
