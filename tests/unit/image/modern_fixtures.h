// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files in the newer picture formats, written in the tests by the formats'
// own encoders (libpng, libwebp, libheif with HEVC and AV1, libjxl) from a
// top-down RGB picture. Each gives no bytes when its encoder refused.

#include <cstdint>
#include <vector>

namespace fixtures {

// With `alpha`, four bytes a pixel: red, green, blue, alpha.
std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgb, int width, int height, bool alpha = false);
std::vector<uint8_t> EncodeWebp(const std::vector<uint8_t>& rgb, int width, int height, bool lossless);
// Two frames: the given picture first, then its colours inverted.
std::vector<uint8_t> EncodeAnimatedWebp(const std::vector<uint8_t>& rgb, int width, int height);
// HEIC (HEVC) or AVIF (AV1) through libheif, recording an orientation of 1 to 8;
// `chroma` ("420", "422", "444") chooses the encoder's sampling.
// An `exif` block (from its TIFF header) is stored as the picture's Exif item;
// `primaries` (an nclx code point, with the sRGB curve) or an `icc` profile
// tags its colours.
std::vector<uint8_t> EncodeHeif(const std::vector<uint8_t>& rgb, int width, int height, bool av1, int orientation = 1,
                                const char* chroma = nullptr, const std::vector<uint8_t>& exif = {}, int primaries = 0,
                                const std::vector<uint8_t>& icc = {});
std::vector<uint8_t> EncodeJxl(const std::vector<uint8_t>& rgb, int width, int height, bool lossless,
                               int orientation = 1);
// A lossless CMYK JPEG XL with the CMYK profile `icc`: cyan, magenta and
// yellow as its colour channels, black as an extra channel (0 is full ink).
std::vector<uint8_t> EncodeCmykJxl(const std::vector<uint8_t>& cmy, const std::vector<uint8_t>& black, int width,
                                   int height, const std::vector<uint8_t>& icc);

// The file with one more chunk: a PNG's after its header (type "eXIf",
// "iCCP", "gAMA"...), a WebP's through libwebp's muxer ("EXIF", "ICCP").
std::vector<uint8_t> PngWithChunk(std::vector<uint8_t> png, const char* type, const std::vector<uint8_t>& data);
std::vector<uint8_t> WebpWithChunk(const std::vector<uint8_t>& webp, const char* type,
                                   const std::vector<uint8_t>& data);

}  // namespace fixtures
