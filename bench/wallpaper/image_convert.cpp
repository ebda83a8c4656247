// SPDX-License-Identifier: GPL-3.0-or-later
// One conversion as the wallpaper does it, as a program, so bench/compare can
// time it beside the peer tools process for process:
//   zelvaro_image_convert [--colors256] [--pcd] [--fill WxH] <input> <output.bmp>
// Reads the input at a true-colour display's depth (a Photo CD file at its
// 768 x 512 base with the border trimmed), writes it at 24 bits or, with
// --colors256, at 256 colours dithered. With --fill, the picture is decoded
// no larger than needed and made to fill a screen of W x H, as the wallpaper
// does in fill mode.
#include "image/fit/screen_fit.h"
#include "image/multi_image.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    bool colours256 = false, pcd = false;
    int fillW = 0, fillH = 0;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; ++arg) {
        if (!std::strcmp(argv[arg], "--colors256"))
            colours256 = true;
        else if (!std::strcmp(argv[arg], "--pcd"))
            pcd = true;
        else if (!std::strcmp(argv[arg], "--fill") && arg + 1 < argc &&
                 std::sscanf(argv[arg + 1], "%dx%d", &fillW, &fillH) == 2)
            ++arg;
    }
    if (argc - arg != 2) {
        std::fprintf(stderr, "usage: %s [--colors256] [--pcd] [--fill WxH] input output.bmp\n", argv[0]);
        return 2;
    }
    TPMultiImage image;
    image.SetDisplayBitsPerPixel(32);
    const bool fill = fillW > 0 && fillH > 0;
    if (fill)
        image.SetScaleHint(ScaleHintFor(ScreenFit::Fill, fillW, fillH));
    try {
        image.PhotoCdCutOff = pcd;
        if (const ImageResult r = image.SetImageName(argv[arg]); !r.Ok()) {
            std::fprintf(stderr, "%s\n", (r.Message.empty() ? r.Reason : r.Message).c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (fill) {
        DibPicture fitted;
        if (!FitToScreen(image.Picture(), ScreenFit::Fill, fillW, fillH, fitted))
            return 1;
        image.SetPicture(std::move(fitted));
    }
    image.ImageWriteRes = colours256 ? sColor256 : sAutoMatic;
    const ImageResult w = image.SaveAsBmp(argv[arg + 1]);
    if (!w.Ok())
        std::fprintf(stderr, "%s\n", w.Message.c_str());
    return w.Ok() ? 0 : 1;
}
