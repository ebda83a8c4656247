// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of libavif the AVIF reader uses, loaded on the first such file.

#include <avif/avif.h>

struct AvifLibrary {
    decltype(&avifDecoderCreate) DecoderCreate;
    decltype(&avifDecoderDestroy) DecoderDestroy;
    decltype(&avifDecoderSetIOMemory) DecoderSetIOMemory;
    decltype(&avifDecoderParse) DecoderParse;
    decltype(&avifDecoderNextImage) DecoderNextImage;
    decltype(&avifRGBImageSetDefaults) RGBImageSetDefaults;
    decltype(&avifImageYUVToRGB) ImageYUVToRGB;

    // The loaded library, or null when it is not installed or lacks a
    // function (AVIF files then go to libheif); loaded once, on the first
    // call, from any thread.
    static const AvifLibrary* Get();
};
