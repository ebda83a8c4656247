// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What kind of picture a file holds, told by its first bytes rather than by
// its name: a JPEG saved as ".png" is still read as a JPEG. The name decides
// only which files are listed, and which message a file gets whose bytes are
// no picture at all.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class ImageKind { Unknown, Jpeg, Png, Gif, Tiff, Bmp, Webp, Heif, Avif, Jxl, PhotoCd };

// How many of a file's first bytes SniffImageKind needs at most.
inline constexpr std::size_t kImageKindHeadBytes = 4096;

// The kind the file's first bytes (`head`, up to kImageKindHeadBytes of them)
// show, for a file of `fileSize` bytes; Unknown when they match none, or are
// cut short before their signature ends.
ImageKind SniffImageKind(std::span<const uint8_t> head, uint64_t fileSize);

// The same for a file on disk; Unknown when it cannot be opened or read.
ImageKind SniffImageFile(const std::string& path);

// The kind a name's extension stands for (".jpeg", ".JFIF", ".tiff",
// ".avifs"... in any case); Unknown for any other name.
ImageKind ImageKindOfName(std::string_view name);

// The reader a file goes to: the kind its bytes show or, when they show none
// (a damaged file, one too short, one that is not there), the kind its name
// stands for, so such a file still gets its format's message.
ImageKind ReaderKindOf(const std::string& path);
