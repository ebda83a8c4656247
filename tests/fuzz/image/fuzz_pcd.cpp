// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile bytes into the Photo CD decoder at every size, trimmed or not. A
// short file raises the program's error; nothing else may escape.
#include "image/formats/photo_cd/photo_cd_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const auto pcdSize = static_cast<PcdSize>(data[0] % 3);
    const bool cutOff = data[0] & 4;
    // The image data sits far into the file; the fuzzer's bytes are placed at
    // the start of the picture so they matter.
    // With bit 3 set the bytes repeat to fill the whole picture, so full
    // decodes are reached from small inputs; otherwise the file ends with them.
    const PcdGeometry g = PcdGeometryFor(pcdSize);
    std::vector<uint8_t> file(g.Offset, 0);
    file.insert(file.end(), data + 1, data + size);
    const size_t full = g.Offset + static_cast<size_t>(g.Width) * g.Height * 3 / 2;
    if ((data[0] & 8) && size > 1)
        for (size_t i = 0; file.size() < full; ++i)
            file.push_back(data[1 + i % (size - 1)]);
    PcdMemorySource source(file);
    const ImageRead read = DecodePcd(source, pcdSize, cutOff);
    if (read.Ok() == read.Picture.Empty())  // a picture exactly when it succeeded
        __builtin_trap();
    return 0;
}
