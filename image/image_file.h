// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading whole image files and replacing files atomically, with the standard
// library alone so the codecs stay free of any platform.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

enum class FileReadStatus { Ok, Missing, Unreadable };

// Reads the whole file into `bytes`. Missing when there is no such file,
// Unreadable when it exists but cannot be read (a directory, no permission,
// larger than `maxBytes`).
FileReadStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes,
                             uintmax_t maxBytes = uintmax_t{1} << 31);

// Whether the file is there and is a regular file, without reading it.
FileReadStatus ProbeImageFile(const std::string& path);

// Opens the file for reading when it is a regular file (a symbolic link is
// followed), as every reader of image files does: a FIFO, socket or device
// named like an image is never opened, so it can neither block the program
// nor be read. The type is checked before the open and again on the opened
// descriptor, in case the name was replaced in between. The descriptor
// (close-on-exec, blocking) or -1 with `status` saying why.
int OpenImageFile(const std::string& path, FileReadStatus& status);

// The same as a stdio stream ("rb"); nothing with `status` saying why.
std::FILE* OpenImageStream(const std::string& path, FileReadStatus& status);

// A second descriptor on the very file an opened descriptor reads (not on
// whatever its name holds now), with a read position of its own, so another
// thread can decode part of it; -1 when the system offers none.
int ReopenImageFile(int fd);

using ByteParts = std::span<const std::span<const uint8_t>>;

// Writes the parts one after the other into a file beside `path`, then renames
// it over `path`, so a reader sees the old file or the whole new one. False on
// any failure, with the old file untouched and the temporary file removed.
bool WriteFileBeside(const std::string& path, ByteParts parts);

// How the image component writes files; tests and the program may replace it
// (the program with one that also flushes to the disk).
using FileWriter = std::function<bool(const std::string& path, ByteParts parts)>;
