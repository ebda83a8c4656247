// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HEIC grids of tiles written by hand around one HEVC tile that libheif
// encoded: grids no encoder at hand writes (sizes that disagree, thousands
// of tiles in a few kilobytes).

#include <cstdint>
#include <vector>

namespace fixtures {

struct Tile {
    std::vector<uint8_t> hvcC;  // the whole decoder configuration box
    std::vector<uint8_t> data;  // the coded picture
};

// The one picture of a file libheif wrote: its configuration and its data
// (the first extent of item 1, at a file offset).
Tile TileOf(const std::vector<uint8_t>& heic);

struct Grid {
    int rows, columns;
    int outputWidth, outputHeight;  // the grid's own and its "ispe"
    bool tileSizeStated = true;
};

// A HEIC whose primary picture is the grid, every cell the same tile.
std::vector<uint8_t> GridHeic(const Tile& tile, int tileSide, const Grid& g);

}  // namespace fixtures
