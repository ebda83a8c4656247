#pragma once
// Converting an image file into the bitmap the desktop shows. The image
// component (JPEG, GIF, TIFF) and the Photo CD reader sit behind this.

#include <string>

class DibPicture;

// The depth a converted bitmap is written at.
enum class WallWriteRes {
    AutoMatic,  // the display's depth
    Color256,   // 8 bits per pixel, 256 colours
};

// With colour reduction on, Photo CD pictures are always written with 256
// colours; other images only when they have more than 8 bits per pixel.
WallWriteRes ChooseWallWriteRes(bool photoCd, bool colorDecSw, int imageBitCount);

class WallConverter {
public:
    virtual ~WallConverter() = default;
    // Reads `file` (a Photo CD file when `photoCd`) and writes it as a BMP to
    // `bmpPath`, reduced to 256 colours as ChooseWallWriteRes says. False when
    // the file could not be read or the bitmap not written; the converter has
    // then told the user as it does (its information box) and `bmpPath` may
    // hold a partial file, which the caller removes.
    virtual bool ConvertToBmp(const std::string& file, bool photoCd, bool colorDecSw,
                              const std::string& bmpPath) = 0;
    // The picture the last successful conversion wrote, when the converter
    // still holds it exactly as written; nothing otherwise.
    virtual const DibPicture* WrittenPicture() const { return nullptr; }
};
