#pragma once
// One profile (INI) file, read and written one key at a time.

#include <string>

namespace platform {

class ProfileFile {
public:
    virtual ~ProfileFile() = default;

    // The file's full path, as error messages name it.
    virtual std::string Path() const = 0;
    // Whether the file exists now.
    virtual bool Exists() const = 0;
    // The value of section/key (matched without regard to case), cut to 1023
    // characters; `fallback` when the file, the section or the key is missing.
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& fallback) const = 0;
    // Writes one key and keeps every other line; the first write creates the
    // file. The file is replaced whole or not at all: false when it could not
    // be written, and then the old file is untouched.
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace platform
