// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds hostile bytes to the profile reader and writer, the settings loader
// and the time and integer parsers.

#include "base/profile_text.h"
#include "base/zelvaro_error.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/settings_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    (void)ParseTimeText(input);
    (void)ParseProfileInteger(input);

    platform::MemoryProfileFile file;
    file.content = input;
    ClockSettings settings;
    bool armed = false;
    try {
        LoadSettings(file, settings, armed);
    } catch (const ZelvaroError&) {}

    // A write keeps every other line and reads back what it wrote.
    ProfileText text(input);
    text.Set("Location", "OffsetX", "42");
    const std::string once = text.Serialize();
    if (ProfileText(once).Get("location", "offsetx") != std::optional<std::string>("42"))
        std::abort();
    ProfileText again(once);
    again.Set("Location", "OffsetX", "42");
    if (again.Serialize() != once)
        std::abort();
    return 0;
}
