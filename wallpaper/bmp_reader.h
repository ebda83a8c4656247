#pragma once
// Windows and OS/2 bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4
// and RLE8, bit-field masks, top-down rows, core (12-byte) headers. Indexed
// pictures keep their depth and palette; 16 and 32 bits become 24 bits.

#include "wallpaper/picture.h"

#include <cstdint>
#include <span>
#include <string>

enum class TBmpReadError {
    None,
    CannotOpen,      // the file is missing or cannot be read
    NotValidBitmap,  // the bytes are not a bitmap this reader accepts
};

struct TBmpReadResult {
    TBmpReadError Error = TBmpReadError::None;
    TPicture Picture;   // empty unless Error is None
    int FileBitCount = 0;  // bits per pixel from the file's header
    bool Ok() const { return Error == TBmpReadError::None; }
};

// Reads a bitmap file.
TBmpReadResult ReadBmpFile(const std::string& path);

// Decodes bitmap file bytes (the 14-byte file header first); Error is None or
// NotValidBitmap.
TBmpReadResult DecodeBmp(std::span<const uint8_t> bytes);
