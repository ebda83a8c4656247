// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every image reader of this folder gives back (BMP, JPEG, GIF, TIFF and
// Photo CD alike): the picture with the file's own bits per pixel, or a
// failure with its kind and a reason in plain words.
//
// Readers never throw and never show anything. The components over them turn
// a failure into what the user sees: TPMultiImage into its "情報" box text
// ("このJPGは読み込めません", ...), TPcd into the error it raises
// ("PCD:File read error"); a missing file is silent in both.
//
// A result made without a reader's say-so is a failure: a reader sets
// Failure to None only once the whole picture is decoded.

#include "image/picture.h"

#include <string>
#include <utility>

enum class ReadFailure {
    None,
    Missing,     // no such file
    Unreadable,  // there but not readable as a file: a directory, no permission, too large, cut short
    NotValid,    // the bytes are not a picture this reader accepts
};

struct ImageRead {
    DibPicture Picture;    // empty unless Ok
    int FileBitCount = 0;  // bits per pixel as the file states them
    ReadFailure Failure = ReadFailure::NotValid;
    std::string Reason;  // why it failed; empty when Ok

    bool Ok() const { return Failure == ReadFailure::None; }

    static ImageRead Failed(ReadFailure failure, std::string reason)
    {
        ImageRead r;
        r.Failure = failure;
        r.Reason = std::move(reason);
        return r;
    }
};
