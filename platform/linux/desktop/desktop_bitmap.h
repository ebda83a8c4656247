// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bitmap file read for the desktop backends, handed out row by row as
// 0xffRRGGBB pixels so a backend converts straight into its own buffer.

#include "image/picture.h"

#include <cstdint>
#include <string>

namespace platform {

class DesktopBitmap {
public:
    // Reads a BMP file (any depth and compression). False when it is missing,
    // unreadable, not a bitmap, broken, or too large.
    bool Load(const std::string& path);
    // Uses a picture the caller holds (and keeps alive while this is used).
    void Use(const DibPicture& picture);

    int Width() const { return picture_->Width; }
    int Height() const { return picture_->Height; }
    // Row y from the top, as Width() pixels 0xffRRGGBB.
    void Row(int y, std::uint32_t* out) const;

private:
    void MakeColours();
    DibPicture own_;
    const DibPicture* picture_ = &own_;
    std::uint32_t colours_[256] = {};
};

}  // namespace platform
