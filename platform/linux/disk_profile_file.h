#pragma once
// A profile file on disk. Every write reads the file, changes one line and
// replaces the file atomically: the new text goes to a file beside it, is
// flushed to the disk, then renamed over the old one.

#include "platform/profile_file.h"

namespace platform {

class DiskProfileFile : public ProfileFile {
public:
    explicit DiskProfileFile(std::string path);

    std::string Path() const override;
    bool Exists() const override;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;

private:
    std::string path_;
};

// Replaces `path` with `content` atomically (write beside, fsync, rename, fsync
// the directory). False on any failure, with the old file untouched and the
// temporary file removed.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// The whole file, or nothing when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace platform
