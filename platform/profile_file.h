// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One profile (INI) file, read whole and written whole: a load costs one read
// and a save one replacement of the file, whatever the number of keys.

#include <cstddef>
#include <string>

namespace platform {

class ProfileFile {
public:
    enum class ReadResult {
        Read,        // `text` holds the whole file
        Missing,     // no file (or a folder) at the path: the caller uses its defaults
        Unreadable,  // there but not readable: no permission, not a regular file, or
                     // larger than kMaxBytes; the file is left as it is
    };

    // A settings file never comes near this size; a larger one is refused
    // before it is read.
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

    virtual ~ProfileFile() = default;

    // The file's full path, as error messages name it.
    virtual std::string Path() const = 0;
    // The whole file in one read.
    virtual ReadResult Read(std::string& text) const = 0;
    // Replaces the whole file with `text` at once; the first write creates it.
    // A symbolic link is followed and stays a link. False when the file could
    // not be written (a read-only file, a folder or device in its place, a
    // folder that cannot be written, a full disk), and then the old file is
    // untouched.
    virtual bool Replace(const std::string& text) = 0;
};

}  // namespace platform
