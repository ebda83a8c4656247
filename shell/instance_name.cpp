// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/instance_name.h"

#include <cstdint>
#include <cstdio>

std::string CanonicalDisplay(const std::string& display)
{
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return display;
    std::string host = display.substr(0, colon);
    if (host == "unix" || host == "localhost")
        host.clear();
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    // "007" and "7" name one display.
    const auto digit = number.find_first_not_of('0');
    number = digit == std::string::npos ? (number.empty() ? number : "0") : number.substr(digit);
    return host + ":" + number;
}

std::string InstanceName(const std::string& executablePath, unsigned userId, const std::string& rawDisplay)
{
    const std::string display = CanonicalDisplay(rawDisplay);
    const std::size_t slash = executablePath.find_last_of('/');
    const std::string file = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    std::string name = "zelvaro-instance-" + std::to_string(userId) + "-" + display + "-" + file;
    constexpr std::size_t kLimit = 100;
    if (name.size() <= kLimit)
        return name;
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the whole name
    for (unsigned char c : name)
        hash = (hash ^ c) * 1099511628211ull;
    char tail[20];
    std::snprintf(tail, sizeof tail, "-%016llx", static_cast<unsigned long long>(hash));
    return name.substr(0, kLimit - 17) + tail;
}
