// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/sysinfo_functions.h"

#include "base/zelvaro_error.h"

std::string ReadRegistryText(const platform::Registry& registry, platform::RootKey root, const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    const std::string key = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Reading only: a look at a missing key leaves the store as it was.
    if (auto text = registry.ReadString(root, key, name))
        return *text;
    if (registry.ReadDword(root, key, name) || registry.ReadBinary(root, key, name))
        throw ZelvaroError(FormatMessage1("Invalid data type for '%s'", name));
    return {};
}

std::string ReadCurrentVersionValue(const platform::Registry& registry, const std::string& name)
{
    return ReadRegistryText(registry, platform::RootKey::LocalMachine,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\" + name);
}

std::string GetTempDirectory(const platform::SystemFacts& facts)
{
    std::string dir = facts.TempDirectory();
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

std::uint16_t FreeResourcePercent(const platform::SystemFacts& facts, int selector)
{
    const std::optional<platform::HandleUse> use = facts.Handles(selector);
    if (!use || use->capacity == 0 || use->used >= use->capacity)
        return 0;
    const std::uint64_t free = use->capacity - use->used;
    if (free <= UINT64_MAX / 100)
        return static_cast<std::uint16_t>(free * 100 / use->capacity);
    return static_cast<std::uint16_t>(free / (use->capacity / 100));
}
