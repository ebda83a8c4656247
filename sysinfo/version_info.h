// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TVersionInfo: the system's version numbers and its name.

#include "platform/system_facts.h"
#include "sysinfo/sysinfo_texts.h"

#include <cstdint>
#include <string>

class TVersionInfo {
public:
    explicit TVersionInfo(const platform::SystemFacts& facts) : facts_(facts) {}

    TLanguage Language() const { return language_; }
    // Gathers again when the language changes.
    void SetLanguage(TLanguage language);
    void Refresh();

    bool Failed = false;
    std::uint16_t MajorVersion = 0;
    std::uint16_t MinorVersion = 0;
    std::string VersionText;
    std::uint32_t BuildNumber = 0;
    std::string PlatformText;

private:
    const platform::SystemFacts& facts_;
    TLanguage language_ = TLanguage::lgFrench;
};
