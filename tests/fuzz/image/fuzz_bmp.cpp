// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile bytes into the bitmap reader; a picture it accepts is also written
// back out, which must decode again.
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/bmp/bmp_writer.h"
#include "image/image_limits.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    image_limits::SetMaxPixels(1 << 22);
    const ImageRead r = DecodeBmp(std::span<const uint8_t>(data, size));
    if (r.Ok()) {
        const ImageRead again = DecodeBmp(EncodeBmp(r.Picture));
        if (!again.Ok() || again.Picture.Bits != r.Picture.Bits)
            std::abort();
    }
    return 0;
}
