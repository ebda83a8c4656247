#pragma once
// A profile file held in memory, for tests: its text can be set and read, and
// writes can be made to fail from a chosen write on.

#include "platform/profile_file.h"
#include "base/profile_text.h"

#include <optional>

namespace platform {

class MemoryProfileFile : public ProfileFile {
public:
    std::optional<std::string> content;  // nothing: the file does not exist
    int writesBeforeFailure = -1;        // -1: never fail
    int writes = 0;

    std::string Path() const override { return "/memory/zelvaro.INI"; }
    bool Exists() const override { return content.has_value(); }
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const override
    {
        const auto value = content ? ProfileText(*content).Get(section, key) : std::nullopt;
        return CutToCharacters(value ? *value : fallback, kProfileStringLimit);
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        if (writesBeforeFailure >= 0 && writes >= writesBeforeFailure)
            return false;
        ++writes;
        ProfileText text(content.value_or(""));
        text.Set(section, key, value);
        content = text.Serialize();
        return true;
    }
};

}  // namespace platform
