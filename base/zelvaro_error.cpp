// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/zelvaro_error.h"

std::string ErrorBoxText(const std::string& message)
{
    if (message.empty())
        return message;
    // The last byte of a UTF-8 multi-byte character is >= 0x80, which sorts
    // after "." as the lead byte of a double-byte character did.
    const auto last = static_cast<unsigned char>(message.back());
    return last > '.' ? message + "." : message;
}

std::string FormatMessage1(const std::string& pattern, const std::string& argument)
{
    const auto at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}
