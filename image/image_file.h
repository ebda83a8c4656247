// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading whole image files and replacing files atomically, with the standard
// library alone so the codecs stay free of any platform.

#include "image/image_read.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class FileReadStatus { Ok, Missing, Unreadable };

// Reads the whole file into `bytes`. Missing when there is no such file,
// Unreadable when it exists but cannot be read (a directory, no permission,
// larger than `maxBytes`).
FileReadStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes,
                             uintmax_t maxBytes = uintmax_t{1} << 31);

// Opens the file for reading when it is a regular file (a symbolic link is
// followed), as every reader of image files does: a FIFO, socket or device
// named like an image is never opened, so it can neither block the program
// nor be read. The type is checked before the open and again on the opened
// descriptor, in case the name was replaced in between. The descriptor
// (close-on-exec, blocking) or -1 with `status` saying why.
int OpenImageFile(const std::string& path, FileReadStatus& status);

// A second descriptor on the very file an opened descriptor reads (not on
// whatever its name holds now), with a read position of its own, so another
// thread can decode part of it; -1 when the system offers none.
int ReopenImageFile(int fd);

// How many of a file's first bytes tell its format at most.
inline constexpr std::size_t kImageHeadBytes = 4096;

// An image file opened once for one use: the open of OpenImageFile, the
// file's size and its first bytes, which tell its format. Every reader of
// the format table reads from here, so a file is opened and sniffed once
// however many steps look at it. A name converts to the file opened by it,
// so a reader can be called with a name as well.
class ImageFile {
public:
    ImageFile(const std::string& path);  // NOLINT(google-explicit-constructor): a name reads as its file
    ImageFile(const char* path) : ImageFile(std::string(path)) {}
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    const std::string& Path() const { return path_; }
    FileReadStatus Status() const { return status_; }
    bool Ok() const { return status_ == FileReadStatus::Ok; }
    uint64_t Size() const { return size_; }
    // Up to kImageHeadBytes, fewer for a shorter file.
    std::span<const uint8_t> Head() const { return {head_.data(), headBytes_}; }

    // A descriptor of the caller's own on the file (a library closes it
    // when done), read from the start; -1 unless the file is open.
    int Descriptor() const;
    // The same as a stdio stream ("rb"); nothing unless the file is open.
    std::FILE* Stream() const;
    // Reads the whole file into `bytes`: Unreadable when it is larger than
    // `maxBytes` or changes size while being read.
    FileReadStatus ReadAll(std::vector<uint8_t>& bytes, uintmax_t maxBytes = uintmax_t{1} << 31) const;

private:
    std::string path_;
    FileReadStatus status_ = FileReadStatus::Missing;
    int fd_ = -1;
    uint64_t size_ = 0;
    std::array<uint8_t, kImageHeadBytes> head_{};
    std::size_t headBytes_ = 0;
};

// How a file that could not be opened fails a read.
inline ReadFailure OpenFailureOf(const ImageFile& file)
{
    return file.Status() == FileReadStatus::Missing ? ReadFailure::Missing : ReadFailure::Unreadable;
}

// The whole-file start of the readers whose libraries take the file in
// memory: reads it and hands the bytes to `decode`; a file that cannot be
// read fails, its reason naming `format` ("AVIF: no such file").
ImageRead DecodeWholeFile(const ImageFile& file, std::string_view format,
                          const std::function<ImageRead(std::span<const uint8_t>)>& decode);

using ByteParts = std::span<const std::span<const uint8_t>>;

// Writes the parts one after the other into a file beside `path`, then renames
// it over `path`, so a reader sees the old file or the whole new one. False on
// any failure, with the old file untouched and the temporary file removed.
bool WriteFileBeside(const std::string& path, ByteParts parts);

// How the image component writes files; tests and the program may replace it
// (the program with one that also flushes to the disk).
using FileWriter = std::function<bool(const std::string& path, ByteParts parts)>;
