// SPDX-License-Identifier: GPL-3.0-or-later
// A picture per monitor composed into one picture of the whole screen: each
// lands on its own monitor, fitted to it or as it is, and nothing spills
// into the gaps or onto the neighbour.
#include "wallpaper/monitor_composition.h"

#include <gtest/gtest.h>

using platform::WallpaperMode;

namespace {

constexpr RgbQuad kBlack{0, 0, 0, 0};
constexpr RgbQuad kRed{0, 0, 255, 0};
constexpr RgbQuad kBlue{255, 0, 0, 0};

DibPicture Solid(int w, int h, RgbQuad colour)
{
    DibPicture p;
    p.Allocate(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* px = p.TopRow(y) + 3 * x;
            px[0] = colour.Blue, px[1] = colour.Green, px[2] = colour.Red;
        }
    return p;
}

// An 8-bit picture whose pixel (x, y) has the grey x * 16 + y, so every
// pixel says where in the picture it came from.
DibPicture Numbered(int w, int h)
{
    DibPicture p;
    p.Allocate(w, h, 8);
    p.Palette.resize(256);
    for (int i = 0; i < 256; ++i)
        p.Palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.TopRow(y)[x] = uint8_t(x * 16 + y);
    return p;
}

RgbQuad Grey(int x, int y)
{
    const auto g = uint8_t(x * 16 + y);
    return {g, g, g, 0};
}

}  // namespace

TEST(MonitorComposition, MonitorsAreClippedToTheScreen)
{
    using Monitors = std::vector<WallMonitor>;
    struct Case {
        const char* what;
        Monitors monitors, shown, ignored;
    };
    const WallMonitor screen{0, 0, 1280, 1024};
    Monitors sixteen, sixteenShown;
    for (int i = 0; i < 16; ++i) {
        sixteen.push_back({i * 80, 0, 80, 1024});
        sixteenShown.push_back({i * 80, 0, 80, 1024});
    }
    const Case cases[] = {
        {"two side by side", {{0, 0, 640, 1024}, {640, 0, 640, 1024}}, {{0, 0, 640, 1024}, {640, 0, 640, 1024}}, {}},
        {"one wholly outside",
         {{0, 0, 1280, 1024}, {20000, 20000, 30000, 30000}},
         {screen},
         {{20000, 20000, 30000, 30000}}},
        {"one reaching past the edge",
         {{5000, 0, 100, 100}, {1200, 1000, 400, 400}},
         {{1200, 1000, 80, 24}},
         {{5000, 0, 100, 100}}},
        {"negative places", {{-100, -100, 300, 200}}, {{0, 0, 200, 100}}, {}},
        {"mirrored and overlapping",
         {{0, 0, 800, 600}, {0, 0, 800, 600}, {400, 300, 800, 600}},
         {{0, 0, 800, 600}, {400, 300, 800, 600}},
         {}},
        {"1x1 and zero-sized",
         {{0, 0, 1, 1}, {1, 0, 1, 1}, {10, 10, 0, 0}},
         {{0, 0, 1, 1}, {1, 0, 1, 1}},
         {{10, 10, 0, 0}}},
        {"huge ones that would wrap",
         {{2147483000, 0, 2147483000, 10}, {-2147483000, 0, 2147483000, 10}},
         {screen},
         {{2147483000, 0, 2147483000, 10}, {-2147483000, 0, 2147483000, 10}}},
        {"sixteen", sixteen, sixteenShown, {}},
        {"none at all", {}, {screen}, {}},
    };
    for (const Case& c : cases) {
        Monitors ignored;
        EXPECT_EQ(MonitorsOnScreen(c.monitors, 1280, 1024, &ignored), c.shown) << c.what;
        EXPECT_EQ(ignored, c.ignored) << c.what;
    }
}

TEST(MonitorComposition, EachPictureFillsItsOwnMonitorAndTheGapsStayBlack)
{
    // A 64x48 monitor lower left, an 80x60 one at the top right: the screen
    // is 144x148 and has room no monitor shows above the first and below
    // the second.
    const std::vector<WallMonitor> monitors{{0, 100, 64, 48}, {64, 0, 80, 60}};
    const WallMonitor extent = MonitorsExtent(monitors);
    ASSERT_EQ(extent.width, 144);
    ASSERT_EQ(extent.height, 148);
    DibPicture canvas;
    ASSERT_TRUE(StartComposition(extent.width, extent.height, canvas));
    // Each picture smaller than its monitor and of another shape, so the fill
    // has to enlarge and cut it.
    ASSERT_TRUE(LayOnMonitor(Solid(30, 30, kRed), monitors[0], WallpaperMode::Fill, canvas));
    ASSERT_TRUE(LayOnMonitor(Solid(20, 10, kBlue), monitors[1], WallpaperMode::Fill, canvas));

    struct Probe {
        int x, y;
        RgbQuad want;
    };
    const Probe probes[] = {
        {0, 100, kRed}, {63, 100, kRed},  {0, 147, kRed},   {63, 147, kRed},     // the first monitor's corners
        {64, 0, kBlue}, {143, 0, kBlue},  {64, 59, kBlue},  {143, 59, kBlue},    // the second's
        {0, 0, kBlack}, {63, 99, kBlack}, {64, 60, kBlack}, {143, 147, kBlack},  // the gaps
    };
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.PixelAt(p.x, p.y), p.want) << "at " << p.x << "," << p.y;
}

TEST(MonitorComposition, CentredAndTiledPicturesStayOnTheirMonitor)
{
    struct Probe {
        int x, y;
        RgbQuad want;
    };
    struct Case {
        const char* what;
        WallpaperMode mode;
        DibPicture picture;
        WallMonitor monitor;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"a small picture centred, black round it",
         WallpaperMode::Centre,
         Numbered(4, 2),
         {10, 10, 8, 6},
         {{12, 12, Grey(0, 0)}, {15, 13, Grey(3, 1)}, {11, 12, kBlack}, {12, 14, kBlack}}},
        {"a large picture centred shows its middle, cut at the monitor's edges",
         WallpaperMode::Centre,
         Numbered(12, 10),
         {10, 10, 8, 6},
         {{10, 10, Grey(2, 2)}, {17, 15, Grey(9, 7)}, {9, 10, kBlack}, {18, 15, kBlack}, {17, 16, kBlack}}},
        {"tiled from the monitor's corner, up to its edges",
         WallpaperMode::Tile,
         Numbered(3, 2),
         {5, 4, 7, 5},
         {{5, 4, Grey(0, 0)},
          {8, 4, Grey(0, 0)},
          {11, 8, Grey(0, 0)},
          {10, 7, Grey(2, 1)},
          {12, 8, kBlack},
          {4, 4, kBlack},
          {5, 9, kBlack}}},
        {"a monitor partly off the screen is clipped",
         WallpaperMode::Tile,
         Numbered(3, 2),
         {-2, 0, 4, 2},
         {{0, 0, Grey(2, 0)}, {1, 1, Grey(0, 1)}, {2, 0, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DibPicture canvas;
        ASSERT_TRUE(StartComposition(20, 20, canvas));
        ASSERT_TRUE(LayOnMonitor(c.picture, c.monitor, c.mode, canvas));
        for (const Probe& p : c.probes)
            EXPECT_EQ(canvas.PixelAt(p.x, p.y), p.want) << "at " << p.x << "," << p.y;
    }
}

TEST(MonitorComposition, AnEmptyPictureLeavesTheCanvasAsItWas)
{
    DibPicture canvas;
    ASSERT_TRUE(StartComposition(4, 4, canvas));
    const auto before = canvas.Bits;
    EXPECT_FALSE(LayOnMonitor(DibPicture{}, {0, 0, 4, 4}, WallpaperMode::Fill, canvas));
    EXPECT_TRUE(canvas.Bits == before);
}
