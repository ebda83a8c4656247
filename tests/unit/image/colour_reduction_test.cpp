// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/palette/colour_reduction.h"
#include "image/palette/palette_mapping.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

DibPicture Photo(int w, int h)
{
    DibPicture p;
    EXPECT_TRUE(p.Allocate(w, h, 24));
    const auto rgb = fixtures::PhotoRgb(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* s = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            uint8_t* d = p.TopRow(y) + 3 * x;
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    return p;
}

double Psnr(const DibPicture& a, const DibPicture& b)
{
    double sum = 0;
    for (int y = 0; y < a.Height; ++y)
        for (int x = 0; x < a.Width; ++x) {
            const RgbQuad p = a.PixelAt(x, y), q = b.PixelAt(x, y);
            for (int d : {p.Red - q.Red, p.Green - q.Green, p.Blue - q.Blue})
                sum += d * d;
        }
    const double mse = sum / (3.0 * a.Width * a.Height);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

TEST(ColourReduction, QuantisesToThePaletteSizeWithGoodFidelity)
{
    const DibPicture photo = Photo(160, 120);
    DibPicture c256, c16;
    ASSERT_TRUE(ReduceColours(photo, 256, true, c256));
    EXPECT_EQ(c256.BitCount, 8);
    EXPECT_LE(c256.Palette.size(), 256u);
    EXPECT_GT(Psnr(photo, c256), 26.0);  // swapped channels or a broken map give under 15
    ASSERT_TRUE(ReduceColours(photo, 16, true, c16));
    EXPECT_EQ(c16.BitCount, 4);
    EXPECT_LE(c16.Palette.size(), 16u);
    EXPECT_GT(Psnr(photo, c16), 18.0);
}

TEST(ColourReduction, TrueColourGivesEveryPixelItsPaletteColour)
{
    // Every depth with a palette, widths from one pixel up (the last pixel of
    // a row and the row's padding are where a fast path goes wrong).
    for (const int bits : {1, 4, 8})
        for (const int width : {1, 2, 3, 5, 61}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << width << " wide");
            DibPicture indexed;
            ASSERT_TRUE(indexed.Allocate(width, 7, bits));
            const int colours = 1 << bits;
            for (int i = 0; i < colours; ++i)
                indexed.Palette.push_back(
                    {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 13 + 1), 0});
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < width; ++x) {
                    const int index = (x * 5 + y * 3) % colours;
                    uint8_t* row = indexed.TopRow(y);
                    if (bits == 8)
                        row[x] = static_cast<uint8_t>(index);
                    else if (bits == 4)
                        row[x / 2] |= static_cast<uint8_t>(index << (x % 2 ? 0 : 4));
                    else
                        row[x / 8] |= static_cast<uint8_t>(index << (7 - x % 8));
                }
            DibPicture back;
            ASSERT_TRUE(ToTrueColour(indexed, back));
            ASSERT_EQ(back.BitCount, 24);
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(back.PixelAt(x, y), indexed.PixelAt(x, y)) << x << ", " << y;
                for (size_t pad = static_cast<size_t>(width) * 3; pad < back.Stride(); ++pad)
                    ASSERT_EQ(back.TopRow(y)[pad], 0);
            }
        }
}

TEST(ColourReduction, MonochromeDiffusesTheErrorInsteadOfThresholding)
{
    DibPicture grey;
    ASSERT_TRUE(grey.Allocate(64, 64, 24));
    std::fill(grey.Bits.begin(), grey.Bits.end(), 100);  // darker than the threshold
    DibPicture mono;
    ASSERT_TRUE(ToMonochrome(grey, mono));
    EXPECT_EQ(mono.BitCount, 1);
    int white = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            white += mono.PixelAt(x, y).Red == 255;
    // 100 / 255 of the pixels white, give or take the edges.
    EXPECT_NEAR(white / 4096.0, 100 / 255.0, 0.03);
}

TEST(ColourReduction, IndexedPicturesThatFitKeepTheirIndexes)
{
    DibPicture four;
    ASSERT_TRUE(four.Allocate(5, 3, 4));
    four.Palette = {{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}};
    four.TopRow(1)[1] = 0x12;  // pixels (2, 1) = 1 and (3, 1) = 2
    DibPicture eight;
    ASSERT_TRUE(ConvertToDepth(four, 8, true, eight));
    EXPECT_EQ(eight.Palette, four.Palette);
    EXPECT_EQ(eight.TopRow(1)[2], 1);
    EXPECT_EQ(eight.TopRow(1)[3], 2);
    DibPicture again;
    ASSERT_TRUE(ConvertToDepth(eight, 4, true, again));
    EXPECT_EQ(again.Bits, four.Bits);
    DibPicture none;
    EXPECT_FALSE(ConvertToDepth(DibPicture{}, 8, true, none));
    EXPECT_FALSE(ConvertToDepth(four, 16, true, none));
}

TEST(ColourReduction, PaletteMappingPicksNearestAndDiffusesTheError)
{
    DibPicture two;
    ASSERT_TRUE(two.Allocate(4, 1, 24));
    const uint8_t px[] = {0, 0, 250, 10, 10, 10, 240, 240, 240, 0, 200, 0};  // red, black, white, green
    std::copy(std::begin(px), std::end(px), two.TopRow(0));
    const std::vector<RgbQuad> palette = {{0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}};
    DibPicture mapped;
    ASSERT_TRUE(MapToPalette(two, palette, 8, false, mapped));
    EXPECT_EQ(mapped.BitCount, 8);
    EXPECT_EQ(std::vector<uint8_t>(mapped.TopRow(0), mapped.TopRow(0) + 4), (std::vector<uint8_t>{2, 0, 1, 3}));
    ASSERT_TRUE(MapToPalette(two, palette, 4, false, mapped));
    EXPECT_EQ(mapped.TopRow(0)[0], 0x20);
    EXPECT_EQ(mapped.TopRow(0)[1], 0x13);
    EXPECT_FALSE(MapToPalette(two, std::vector<RgbQuad>(17), 4, false, mapped));

    // Mid grey on black and white: about half the pixels white when dithered.
    DibPicture grey;
    ASSERT_TRUE(grey.Allocate(32, 32, 24));
    std::fill(grey.Bits.begin(), grey.Bits.end(), 128);
    ASSERT_TRUE(MapToPalette(grey, std::vector<RgbQuad>(palette.begin(), palette.begin() + 2), 8, true, mapped));
    const long white = std::count(mapped.Bits.begin(), mapped.Bits.end(), 1);
    EXPECT_NEAR(white / 1024.0, 0.5, 0.05);

    // A picture of few colours asked for 256 stays at 8 bits, every colour
    // kept (libimagequant may round a level).
    DibPicture reduced;
    ASSERT_TRUE(ReduceColours(two, 256, true, reduced));
    EXPECT_EQ(reduced.BitCount, 8);
    EXPECT_GT(Psnr(two, reduced), 45.0);
}
