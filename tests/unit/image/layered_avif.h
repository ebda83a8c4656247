// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A layered AVIF: libaom codes the picture twice in one temporal unit, as a
// base layer at half the width and height and a full-size layer above it;
// the file around them is written here, since Debian's libavif has no
// layered encoder. Its "a1lx" gives the layers' sizes, and a "lsel" (when
// `selectedLayer` is 0 or 1) asks that this layer be shown.

#include <cstdint>
#include <vector>

namespace fixtures {

std::vector<uint8_t> EncodeLayeredAvif(const std::vector<uint8_t>& rgb, int width, int height, int selectedLayer);

// The picture in one layer, the file with two "ipma" boxes of the same
// version and flags, as some encoders write files with alpha (libavif
// refuses them; libheif reads them).
std::vector<uint8_t> EncodeAvifWithTwoIpma(const std::vector<uint8_t>& rgb, int width, int height);

}  // namespace fixtures
