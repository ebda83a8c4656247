// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/iso_brands.h"

#include "image/formats/signature_bytes.h"

#include <algorithm>
#include <array>
#include <string_view>

IsoImageBrand IsoImageBrandOf(std::span<const uint8_t> head)
{
    using namespace signature_bytes;
    if (head.size() < 16 || !StartsWith(head, "ftyp", 4))
        return IsoImageBrand::None;
    const std::size_t boxSize = BigEndian32(head, 0);
    if (boxSize < 16)
        return IsoImageBrand::None;
    const std::size_t end = std::min(boxSize, head.size());
    bool heif = false;
    for (std::size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
        const std::string_view brand(reinterpret_cast<const char*>(head.data() + at), 4);
        if (brand == "avif" || brand == "avis")
            return IsoImageBrand::Avif;
        static constexpr std::array<std::string_view, 9> kHeif{"heic", "heix", "heim", "heis", "hevc",
                                                               "hevx", "hevm", "mif1", "msf1"};
        heif = heif || std::ranges::find(kHeif, brand) != kHeif.end();
    }
    return heif ? IsoImageBrand::Heif : IsoImageBrand::None;
}
