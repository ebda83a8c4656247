// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a picture as a standard Windows bitmap file: BITMAPINFOHEADER,
// bottom-up rows, a palette for 1, 4 and 8 bits.

#include "image/image_file.h"
#include "image/picture.h"

#include <cstdint>
#include <string>
#include <vector>

// The file header, info header and palette that go before the picture's bits.
std::vector<uint8_t> BmpHeaderFor(const DibPicture& picture);

// The whole file in memory (tests and small pictures).
std::vector<uint8_t> EncodeBmp(const DibPicture& picture);

// Writes the picture at its own depth through `writer` in one pass: the
// header, then the pixel block as the picture holds it. False for an empty
// picture or a failed write.
bool WriteBmpFile(const std::string& path, const DibPicture& picture, const FileWriter& writer);
