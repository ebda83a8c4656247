// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/avif/avif_library.h"

#include "image/formats/shared_library.h"

#include <optional>

namespace {

std::optional<AvifLibrary> Load()
{
    static const SharedLibrary lib(ZELVARO_LIBAVIF_SONAME);
    AvifLibrary f{};
    const bool all = lib.Find("avifDecoderCreate", f.DecoderCreate) &&
                     lib.Find("avifDecoderDestroy", f.DecoderDestroy) &&
                     lib.Find("avifDecoderSetIOMemory", f.DecoderSetIOMemory) &&
                     lib.Find("avifDecoderParse", f.DecoderParse) &&
                     lib.Find("avifDecoderNextImage", f.DecoderNextImage) &&
                     lib.Find("avifRGBImageSetDefaults", f.RGBImageSetDefaults) &&
                     lib.Find("avifImageYUVToRGB", f.ImageYUVToRGB);
    if (!all)
        return std::nullopt;
    return f;
}

}  // namespace

const AvifLibrary* AvifLibrary::Get()
{
    static const std::optional<AvifLibrary> loaded = Load();
    return loaded ? &*loaded : nullptr;
}
