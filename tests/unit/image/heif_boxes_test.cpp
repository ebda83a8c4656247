// SPDX-License-Identifier: GPL-3.0-or-later
// Grids of tiles in HEIF files: a grid of real HEVC tiles, made here from one
// tile that libheif encoded, is read when its tiles fit the limits and refused
// before any tile is decoded when they do not, whatever sizes the file states.
#include "address_space_limit.h"
#include "files_in_temp_dir.h"
#include "heif_grid.h"
#include "image/formats/heif/heif_boxes.h"
#include "image/multi_image.h"
#include "image/read_cancel.h"
#include "image_fixtures.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

using fixtures::Grid;
using fixtures::GridHeic;
using fixtures::Tile;
using fixtures::TileOf;

class HeifGrids : public FilesInTempDir {
protected:
    HeifGrids() : FilesInTempDir("grid") {}
};

}  // namespace

TEST_F(HeifGrids, AreReadWithinTheLimitsAndRefusedBeyondWithoutDecoding)
{
    constexpr int kSide = 512;
    const Tile tile = TileOf(fixtures::EncodeHeif(fixtures::PhotoRgb(kSide, kSide), kSide, kSide, false));
    ASSERT_FALSE(tile.hvcC.empty());
    ASSERT_FALSE(tile.data.empty());
    struct Case {
        const char* what;
        Grid grid;
        bool read;
    };
    const Case cases[] = {
        {"2 x 2 tiles, cut to their output", {2, 2, 1000, 900}, true},
        // 32 x 32 tiles of 512 pixels: 268 megapixels decoded for a
        // picture that says it is 800 x 600.
        {"tiles far beyond the stated size", {32, 32, 800, 600}, false},
        {"output beyond the limits", {2, 2, 20000, 20000}, false},
        {"tiles of no stated size", {2, 2, 1000, 900, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes file = GridHeic(tile, kSide, c.grid);
        const auto cost = ReadHeifGridCost(file);
        ASSERT_TRUE(cost.has_value());
        EXPECT_EQ(cost->Tiles, c.grid.rows * c.grid.columns);
        EXPECT_EQ(cost->OutputWidth, c.grid.outputWidth);
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        const ImageResult r = image.SetImageName(Put("grid.heic", file));
        EXPECT_EQ(r.Ok(), c.read) << r.Message;
        if (c.read) {
            EXPECT_EQ(image.Picture().Width, c.grid.outputWidth);
            EXPECT_EQ(image.Picture().Height, c.grid.outputHeight);
        } else {
            EXPECT_EQ(r.Message, "このHEICは読み込めません");
        }
    }
    // A picture that is no grid is left to the library.
    EXPECT_FALSE(ReadHeifGridCost(fixtures::EncodeHeif(fixtures::PhotoRgb(64, 64), 64, 64, false)).has_value());
    EXPECT_TRUE(HeifGridWithinLimits(Bytes(40, 0xFF)));
}

// An AVIF grid of many small tiles (written by avifenc) is read in a
// process whose address space may grow by a gigabyte at most, as `ulimit
// -v` holds it: libavif keeps a decoder for every tile at once and needs gigabytes
// for a thousand of them, so such a grid goes to libheif, tile by tile.
TEST_F(HeifGrids, AvifGridsOfManyTilesAreReadWithinAGigabyte)
{
    if (std::system("command -v avifenc >/dev/null") != 0)
        GTEST_SKIP() << "avifenc is missing (scripts/install-deps installs libavif-bin)";
    constexpr int kSide = 2048;
    const std::string png = Put("grid-source.png", fixtures::EncodePng(fixtures::PhotoRgb(kSide, kSide), kSide, kSide));
    for (const int tiles : {8, 32}) {
        SCOPED_TRACE(tiles);
        const std::string avif = (dir_ / ("grid" + std::to_string(tiles) + ".avif")).string();
        const std::string grid = std::to_string(tiles) + "x" + std::to_string(tiles);
        ASSERT_EQ(std::system(
                      ("avifenc -s 10 -j 2 --grid " + grid + " '" + png + "' '" + avif + "' >/dev/null 2>&1").c_str()),
                  0);
        EXPECT_TRUE(fixtures::WithinAddressSpace(uint64_t{1} << 30, [&] {
            TPMultiImage image;
            image.ImageReadRes = lColorTrue;
            return image.SetImageName(avif).Ok() && image.Picture().Width == kSide;
        }));
    }
}

// A grid of 1024 large tiles (seconds of decoding) read where nothing may
// stop it, as the rotation reads, stops within a second of every read being
// stopped (the program ending on a signal), with no message for the user.
TEST_F(HeifGrids, AGridReadStopsWhenEveryReadIsStopped)
{
    constexpr int kSide = 256, kTiles = 32;
    const Tile tile = TileOf(fixtures::EncodeHeif(fixtures::PhotoRgb(kSide, kSide), kSide, kSide, false));
    const std::string grid = Put("slow.heic", GridHeic(tile, kSide, {kTiles, kTiles, kTiles * kSide, kTiles * kSide}));
    EXPECT_TRUE(fixtures::InChildProcess([&] {
        using Clock = std::chrono::steady_clock;
        Clock::time_point stoppedAt;
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            stoppedAt = Clock::now();
            StopEveryRead();
        });
        TPMultiImage image;
        const ImageResult r = image.SetImageName(grid);
        const auto returned = Clock::now();
        stopper.join();
        return !r.Ok() && r.Message.empty() && returned - stoppedAt < std::chrono::seconds(1);
    }));
}
