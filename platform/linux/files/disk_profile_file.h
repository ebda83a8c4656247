// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A profile file on disk: read in one go, replaced atomically in one go (the
// new text goes to a file beside the old one, is flushed to the disk, then
// renamed over it).

#include "platform/profile_file.h"

namespace platform {

class DiskProfileFile : public ProfileFile {
public:
    explicit DiskProfileFile(std::string path);

    std::string Path() const override;
    ReadResult Read(std::string& text) const override;
    bool Replace(const std::string& text) override;

private:
    std::string path_;
};

// Replaces the file at `path` with `content` atomically (write beside, fsync,
// rename, fsync the directory). A symbolic link is followed: the file it
// points to is replaced and the link stays. The new file keeps the old one's
// permission bits (never more); a new file gets 0666 less the umask. Refused
// (false) when the file is read-only to us or is not a regular file (a
// folder, a device). False on any failure, with the old file untouched and
// the temporary file removed.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// What reading a whole file found.
enum class WholeFileRead {
    Read,        // the text holds the whole file
    Missing,     // nothing at the path
    Folder,      // a folder at the path
    Unreadable,  // no permission, a FIFO, socket or device, larger than the bound, or a read error
};

// Reads the whole file when it is a regular file of at most `maxBytes`. It is
// opened without blocking and its type checked on the opened descriptor, so a
// FIFO or device put in its place is refused at once instead of holding the
// program up. `content` is empty unless the result is Read.
WholeFileRead ReadRegularFile(const std::string& path, std::string& content,
                              std::size_t maxBytes = std::size_t{64} << 20);

// The whole file, or nothing (false) when ReadRegularFile cannot read it.
bool ReadWholeFile(const std::string& path, std::string& content);

// The path a chain of symbolic links ends at (`path` itself when it is no
// link; a link to a file that does not exist yet gives that file's path).
// Empty when the chain loops or is too long.
std::string FollowLinks(const std::string& path);

}  // namespace platform
