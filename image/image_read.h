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

#include "image/colour/colour_tag.h"
#include "image/picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// How a picture is made exactly a screen's size: fitted whole inside it
// (black bars beside or above it), filling it (the middle of the picture,
// cut to the screen's proportions), or stretched to it.
enum class ScreenFit { Fit, Fill, Stretch };

// How large a picture is needed, for readers whose library decodes at a
// reduced scale for less than the full work (JPEG at eighths, WebP): the
// smallest picture that still covers Width x Height (both sides at least as
// large), or with `Cover` false that fits it (one side at least as large).
// An empty hint asks for the whole picture; a picture smaller than the hint
// is decoded whole.
//
// With `Fit` set, a reader that can (JPEG) may give the picture already made
// exactly Width x Height in that fit, reducing the rows as they are decoded
// rather than holding the whole decoded picture first.
struct ScaleHint {
    int Width = 0;
    int Height = 0;
    bool Cover = true;
    std::optional<ScreenFit> Fit;

    bool Wanted() const { return Width > 0 && Height > 0; }
    bool LargeEnough(int64_t w, int64_t h) const
    {
        return Cover ? (w >= Width && h >= Height) : (w >= Width || h >= Height);
    }
    // The same for a picture shown turned by a quarter.
    ScaleHint Turned() const { return {Height, Width, Cover, Fit}; }
};

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
    ColourTag Colour;    // what the file says its colours are; the picture is as decoded

    bool Ok() const { return Failure == ReadFailure::None; }

    static ImageRead Failed(ReadFailure failure, std::string reason)
    {
        ImageRead r;
        r.Failure = failure;
        r.Reason = std::move(reason);
        return r;
    }
};
