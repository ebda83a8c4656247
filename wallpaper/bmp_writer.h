#pragma once
// Writing a picture as a standard Windows bitmap file: BITMAPINFOHEADER,
// bottom-up rows, a palette for 1, 4 and 8 bits.

#include "wallpaper/image_file.h"
#include "wallpaper/picture.h"

#include <cstdint>
#include <string>
#include <vector>

// The file header, info header and palette that go before the picture's bits.
std::vector<uint8_t> BmpHeaderFor(const TPicture& picture);

// The whole file in memory (tests and small pictures).
std::vector<uint8_t> EncodeBmp(const TPicture& picture);

// Writes the picture at its own depth through `writer` in one pass: the
// header, then the pixel block as the picture holds it. False for an empty
// picture or a failed write.
bool WriteBmpFile(const std::string& path, const TPicture& picture, const TFileWriter& writer);
