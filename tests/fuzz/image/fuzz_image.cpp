// SPDX-License-Identifier: GPL-3.0-or-later
// The whole image component path: hostile bytes saved under a name of every
// format of the format table, in every spelling (their first bytes choose
// the reader, the name only the message), read at a chosen depth (and,
// when asked, for a small screen in one of the fits, which a reader may make
// the screen's size as it decodes), then written out as a bitmap (into
// memory). It must report, never crash.
#include "image/fit/screen_fit.h"
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/photo_cd/photo_cd_format.h"
#include "image/image_format.h"
#include "image/image_limits.h"
#include "image/multi_image.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // Telling the format reads only what it is given, whatever its length.
    if (SniffImageFormat({data + 2, size - 2}, data[0] & 1 ? size - 2 : uint64_t{1} << 40) == &kPhotoCdFormat &&
        size < 0x800)
        __builtin_trap();
    image_limits::SetMaxPixels(1 << 20);
    // Every spelling of every format, upper-cased every other time.
    static const std::vector<std::string> kExt = [] {
        std::vector<std::string> ext;
        for (const ImageFormat* format : ImageFormats())
            for (const FileExtension& e : format->Extensions)
                ext.push_back("." + std::string(e.Spelling));
        for (std::size_t i = 0; i < ext.size(); i += 2)
            std::ranges::transform(ext[i], ext[i].begin(), [](unsigned char c) { return std::toupper(c); });
        return ext;
    }();
    const std::string path = "/tmp/zelvaro_fuzz_image_" + std::to_string(::getpid()) + kExt[data[0] % kExt.size()];
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data + 2, 1, size - 2, f);
        std::fclose(f);
    }
    static constexpr int kDisplays[] = {1, 4, 8, 16, 24, 32};
    TPMultiImage image;
    image.SetDisplayBitsPerPixel(kDisplays[data[1] % 6]);
    image.ImageDither = data[1] & 8;
    static constexpr ScreenFit kFits[] = {ScreenFit::Fit, ScreenFit::Fill, ScreenFit::Stretch};
    const ScreenFit fit = kFits[data[0] / 10 % 3];
    const bool fitted = data[1] & 0x80;
    if (fitted)
        image.SetScaleHint(ScaleHintFor(fit, 40, 30));
    const ImageResult read = image.SetImageName(path);
    if (read.Ok() && fitted) {
        DibPicture screen;
        if (!FitToScreen(image.Picture(), fit, 40, 30, screen) || screen.Width != 40 || screen.Height != 30)
            __builtin_trap();
    }
    if (read.Ok()) {
        image.ImageWriteRes = static_cast<ImageWriteDepth>((data[1] >> 4) % 7);
        std::vector<uint8_t> written;
        image.SetFileWriter([&](const std::string&, ByteParts parts) {
            for (const auto& part : parts)
                written.insert(written.end(), part.begin(), part.end());
            return true;
        });
        if (!image.SaveAsBmp("out.bmp").Ok() || !DecodeBmp(written).Ok())
            __builtin_trap();
    } else if (const ImageFormat* named = FormatOfName(path);
               read.Status == ImageStatus::Failed && read.Message.empty() && named && *named->FailureText) {
        __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
