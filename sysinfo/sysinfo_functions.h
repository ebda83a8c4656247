// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The free functions the information dialog calls directly: registry texts,
// the temporary directory and the share of free handles.

#include "platform/registry.h"
#include "platform/system_facts.h"

#include <cstdint>
#include <string>

// `path` is the key path, "\", then the value name. The empty text when the
// key or the value is missing; a value that is not text raises an error.
std::string ReadRegistryText(const platform::Registry& registry, platform::RootKey root, const std::string& path);

// A value under HKEY_LOCAL_MACHINE "Software\Microsoft\Windows\CurrentVersion"
// ("RegisteredOwner", "RegisteredOrganization"); empty when missing.
std::string ReadCurrentVersionValue(const platform::Registry& registry, const std::string& name);

// The temporary directory, ending with "/".
std::string GetTempDirectory(const platform::SystemFacts& facts);

// Percent of free handles: selector 0 the system's file-handle table, 1 this
// process's descriptor limit; 0 when the figure cannot be read.
std::uint16_t FreeResourcePercent(const platform::SystemFacts& facts, int selector);
