// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image component's engine: reads every format of the format table
// (image_format.h: JPEG, GIF, TIFF, BMP, PNG, WebP, AVIF, HEIC/HEIF, JPEG XL,
// Photo CD) into a picture at a chosen colour depth and writes pictures as BMP files at a
// chosen depth. It never raises: every read and write returns a result whose
// message, when not empty, is the text of the information box the display
// side shows (captioned "情報", see ImageInfoBox::Report).
//
// A conversion reads, learns the outcome, and ends on anything but Ok (a
// missing file included, which has no box):
//   if (!ImageInfoBox::Report(image.SetImageName(file))) return;
//   image.ImageWriteRes = ...;
//   if (!ImageInfoBox::Report(image.SaveAsBmp(target))) return;

#include "image/image_file.h"
#include "image/image_format.h"
#include "image/image_read.h"
#include "image/picture.h"

#include <string>

enum ImageReadDepth { lMonoChrome, lColor16, lColor256, lColorTrue, lAutoMatic };

// In this order they mean 0 (the picture's own depth), 1, 4, 8, 24, 8 (grey)
// bits per pixel, and the display's depth.
enum ImageWriteDepth { sColorVga, sMonoChrome, sColor16, sColor256, sColorTrue, sJpegGray, sAutoMatic };

enum class ImageStatus {
    Ok,
    Missing,  // no such file: the picture is emptied, nothing is shown
    Failed,   // read or write failed: Message holds the box's text
};

struct ImageResult {
    ImageStatus Status = ImageStatus::Ok;
    std::string Message;
    std::string Reason;  // a failed reader's own words, for the log
    bool Ok() const { return Status == ImageStatus::Ok; }
};

// The display's depth as the component counts it: 4 or fewer bits give 4,
// 16 or more give 24, anything else 8.
int DisplayDepthFor(int displayBitsPerPixel);

class TPMultiImage {
public:
    TPMultiImage();

    // Reads the file, choosing the reader by its first bytes (see
    // image_format.h); the name's extension (".jpg", ".jpeg", ".tif", ".heic"...
    // in any case) picks only the message of a failed read. Every call reads,
    // even for the name already held, since the picture may have been
    // replaced since.
    ImageResult SetImageName(const std::string& name);
    // The same for a file already opened, whose format the caller may have
    // told already (nothing: told here).
    ImageResult ReadImage(const ImageFile& file, const ImageFormat* format = nullptr);
    // The format of the file last read successfully; nothing after a failure.
    const ImageFormat* ReadFormat() const { return readFormat_; }

    // How large a picture the next reads need at least (see ScaleHint); the
    // JPEG and WebP readers then decode no larger than that. Empty: whole.
    void SetScaleHint(ScaleHint hint) { scaleHint_ = hint; }

    // Bits per pixel of the file last read successfully.
    int ImageBitCount() const { return imageBitCount_; }

    const DibPicture& Picture() const { return picture_; }
    void SetPicture(DibPicture picture) { picture_ = std::move(picture); }

    ImageReadDepth ImageReadRes = lAutoMatic;
    // Photo CD pictures are read with their border trimmed.
    bool PhotoCdCutOff = false;
    ImageWriteDepth ImageWriteRes = sAutoMatic;
    bool ImageDither = true;
    std::string DefSaveFilename;

    // A non-empty name replaces DefSaveFilename; writes the held picture there
    // at the depth of ImageWriteRes.
    ImageResult SaveAsBmp(const std::string& name = {});

    // The display's bits per pixel, for lAutoMatic and sAutoMatic (24 until told).
    void SetDisplayBitsPerPixel(int bits) { displayBits_ = bits; }
    // How files are written (default: write beside, then rename).
    void SetFileWriter(FileWriter writer) { writer_ = std::move(writer); }

    // Depth in bits that the two settings ask for now.
    int ReadDepth() const;
    int WriteDepth() const;

private:
    const ImageFormat* readFormat_ = nullptr;
    int imageBitCount_ = 0;
    DibPicture picture_;
    int displayBits_ = 24;
    FileWriter writer_;
    ScaleHint scaleHint_;
};
