// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program knows about each picture format, in one table
// (image/formats/format_table.cpp): each folder of image/formats/ exports
// its entry. A file's kind is told by its first bytes rather than by its
// name: a JPEG saved as ".png" is still read as a JPEG. The name decides only
// which files are listed, and which message a file gets whose bytes are no
// picture at all.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What the component asks of a reader besides the file: the scale hint (only
// for the readers that take one) and, for Photo CD, the trim of the border.
struct ReadOptions {
    ScaleHint Hint;
    bool CutOff = false;
};

// One spelling of a format's name ("jpg", lower case). The spellings the
// pickers have always listed come first in their patterns, the other common
// ones after them. A spelling with a failure text of its own tells that
// instead of the format's (".heic" against ".heif").
struct FileExtension {
    std::string_view Spelling;
    bool ListedFirst = true;
    const char* FailureText = nullptr;
};

struct ImageFormat {
    std::string_view Kind;  // "JPEG", "Photo CD"...
    // Whether a file of `fileSize` bytes whose first bytes are `head` (up to
    // kImageHeadBytes) is of this format; false when cut short before the
    // signature ends. The signatures of the table do not overlap.
    bool (*Signature)(std::span<const uint8_t> head, uint64_t fileSize);
    std::span<const FileExtension> Extensions;
    // The "情報" box's text when a file of this format cannot be read, marked
    // for translation in the "Messages" context; empty for none.
    const char* FailureText;
    ImageRead (*Decode)(const ImageFile& file, const ReadOptions& options);
    bool TakesScaleHint;  // whether Decode looks at options.Hint
};

// Every format, in the order the pickers list them.
std::span<const ImageFormat* const> ImageFormats();

// The format the first bytes show; nothing when they match none.
const ImageFormat* SniffImageFormat(std::span<const uint8_t> head, uint64_t fileSize);
const ImageFormat* SniffImageFormat(const ImageFile& file);

// The format a name's extension stands for (".jpeg", ".JFIF", ".tiff",
// ".avifs"... in any case), with the spelling found; nothing for any other name.
const ImageFormat* FormatOfName(std::string_view name, const FileExtension** spelling = nullptr);

// The reader a file goes to: the format its bytes show or, when they show
// none (a damaged file, one too short, one that is not there), the format its
// name stands for, so such a file still gets its format's message.
const ImageFormat* ReaderFormatOf(const ImageFile& file);
