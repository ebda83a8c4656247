// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a HEIF or AVIF file's boxes say of its primary picture, read before
// the library decodes anything: what it costs to decode when it is a grid of
// tiles, whether the container turns or mirrors it itself, whether it is
// grey only.
//
// The library decodes every tile a grid names, at each tile's own size,
// whatever the grid's or the file's stated picture size: a few kilobytes can
// name a thousand large tiles.

#include <cstdint>
#include <optional>
#include <set>
#include <span>

struct HeifGridCost {
    int64_t OutputWidth = 0;  // the picture the tiles are put together into
    int64_t OutputHeight = 0;
    int64_t TilePixels = 0;  // every tile's pixels, summed over the grid's references
    int64_t Tiles = 0;
};

// The primary picture's grid; nothing when the primary picture is no grid or
// the file's boxes cannot be read (the library then refuses the file). A
// grid whose tiles have no stated size counts them as too large to decode.
std::optional<HeifGridCost> ReadHeifGridCost(std::span<const uint8_t> file);

// True unless the primary picture is a grid whose output or whose tiles,
// summed, are beyond the picture limits.
bool HeifGridWithinLimits(std::span<const uint8_t> file);

// True when the primary picture has the container's own rotation ("irot") or
// mirror ("imir"), which the library applies; an Exif orientation is then
// not applied as well.
bool HeifPrimaryTurnsItself(std::span<const uint8_t> file);

// True when the primary picture (or, for a grid, its first tile) is coded in
// luma alone: its AV1 or HEVC configuration says monochrome.
bool HeifPrimaryIsMonochrome(std::span<const uint8_t> file);
