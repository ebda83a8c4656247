// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/bmp/bmp_reader.h"
#include "image/multi_image.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>
#include <tiffio.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <filesystem>

namespace {

class MultiImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("zelvaro_image_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Saves at a depth and reads the file back.
    ImageRead SaveAndRead(TPMultiImage& image, ImageWriteDepth res)
    {
        image.ImageWriteRes = res;
        EXPECT_TRUE(image.SaveAsBmp(Path("out.bmp")).Ok());
        return ReadBmpFile(Path("out.bmp"));
    }

    std::filesystem::path dir_;
};

}  // namespace

TEST(ImageDepth, DisplayDepthRule)
{
    EXPECT_EQ(DisplayDepthFor(1), 4);
    EXPECT_EQ(DisplayDepthFor(4), 4);
    EXPECT_EQ(DisplayDepthFor(8), 8);
    EXPECT_EQ(DisplayDepthFor(15), 8);
    EXPECT_EQ(DisplayDepthFor(16), 24);
    EXPECT_EQ(DisplayDepthFor(32), 24);
}

TEST_F(MultiImage, JpegPixelsMatchLibjpegTurboAndBitCounts)
{
    const int w = 61, h = 35;  // odd sizes: padded rows
    const auto rgb = fixtures::PhotoRgb(w, h);
    const auto jpeg = fixtures::EncodeJpeg(rgb, w, h);
    fixtures::WriteAll(Path("a.JPG"), jpeg);
    TPMultiImage image;
    ASSERT_TRUE(image.SetImageName(Path("a.JPG")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 24);
    ASSERT_EQ(image.Picture().BitCount, 24);

    // libjpeg-turbo's own top-down RGB decode of the same bytes.
    std::vector<uint8_t> ref(static_cast<size_t>(w) * h * 3);
    tjhandle tj = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(tj, jpeg.data(), jpeg.size(), ref.data(), w, 0, h, TJPF_RGB, 0), 0);
    tjDestroy(tj);
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RgbQuad q = image.Picture().PixelAt(x, y);
            const uint8_t* r = &ref[(static_cast<size_t>(y) * w + x) * 3];
            worst = std::max({worst, std::abs(q.Red - r[0]), std::abs(q.Green - r[1]), std::abs(q.Blue - r[2])});
        }
    EXPECT_LE(worst, 1);

    // CMYK (as Adobe stores it, 255 meaning no ink): every sample 255 is white, 32 bits in the file.
    {
        std::vector<uint8_t> cmyk(16 * 8 * 4, 255);
        for (size_t i = 0; i < 8 * 4 * 4; i += 4)
            cmyk[i + 3] = 0;  // the top four rows: full black ink
        tjhandle c = tjInitCompress();
        unsigned char* out = nullptr;
        unsigned long size = 0;
        ASSERT_EQ(tjCompress2(c, cmyk.data(), 16, 0, 8, TJPF_CMYK, &out, &size, TJSAMP_444, 95, 0), 0);
        fixtures::WriteAll(Path("cmyk.jpg"), std::vector<uint8_t>(out, out + size));
        tjFree(out);
        tjDestroy(c);
        ASSERT_TRUE(image.SetImageName(Path("cmyk.jpg")).Ok());
        EXPECT_EQ(image.ImageBitCount(), 32);
        const RgbQuad white = image.Picture().PixelAt(8, 6), black = image.Picture().PixelAt(3, 0);
        EXPECT_GE(std::min({white.Red, white.Green, white.Blue}), 250);
        EXPECT_LE(std::max({black.Red, black.Green, black.Blue}), 5);
    }

    fixtures::WriteAll(Path("g.jpg"), fixtures::EncodeJpeg(rgb, w, h, true));
    ASSERT_TRUE(image.SetImageName(Path("g.jpg")).Ok());  // the extension is upper-cased
    EXPECT_EQ(image.ImageBitCount(), 8);
    EXPECT_EQ(image.Picture().BitCount, 8);
}

TEST_F(MultiImage, GifAndTiffBitCountsAndPixels)
{
    TPMultiImage image;
    ASSERT_TRUE(fixtures::WriteGif(Path("8.gif"), 8, 40, 30, 0, 0, 40, 30));
    ASSERT_TRUE(image.SetImageName(Path("8.gif")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 8);
    ASSERT_TRUE(fixtures::WriteGif(Path("4.GIF"), 4, 40, 30, 0, 0, 40, 30));
    ASSERT_TRUE(image.SetImageName(Path("4.GIF")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 4);
    EXPECT_EQ(image.Picture().Width, 40);
    // Pixel (3, 2) has index 5: colour map entry 5 of 16.
    EXPECT_EQ(image.Picture().PixelAt(3, 2), (RgbQuad{200, 255 - 85, 85, 0}));

    ASSERT_TRUE(fixtures::WriteTiff(Path("1.tif"), 1, 33, 20));
    ASSERT_TRUE(image.SetImageName(Path("1.tif")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 1);
    EXPECT_EQ(image.Picture().PixelAt(0, 0), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(image.Picture().PixelAt(4, 19), (RgbQuad{255, 255, 255, 0}));

    const auto rgb = fixtures::PhotoRgb(37, 29);
    for (bool tiled : {false, true}) {
        ASSERT_TRUE(fixtures::WriteTiff(Path("24.tif"), 24, 37, 29, tiled));
        ASSERT_TRUE(image.SetImageName(Path("24.tif")).Ok());
        EXPECT_EQ(image.ImageBitCount(), 24);
        EXPECT_EQ(image.Picture().PixelAt(36, 28), (RgbQuad{rgb.back(), rgb[rgb.size() - 2], rgb[rgb.size() - 3], 0}));
        EXPECT_EQ(image.Picture().PixelAt(0, 0), (RgbQuad{rgb[2], rgb[1], rgb[0], 0}));
        // Strips of 16 rows, decoded on two threads: every row in its place.
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 37; ++x) {
                const size_t at = (static_cast<size_t>(y) * 37 + x) * 3;
                ASSERT_EQ(image.Picture().PixelAt(x, y), (RgbQuad{rgb[at + 2], rgb[at + 1], rgb[at], 0}))
                    << x << "," << y << (tiled ? " tiled" : " strips");
            }
    }
    // Deflate, JPEG-in-TIFF and bottom-up rows give the same picture.
    const RgbQuad topLeft{rgb[2], rgb[1], rgb[0], 0};
    for (int compression : {COMPRESSION_ADOBE_DEFLATE, COMPRESSION_JPEG, COMPRESSION_NONE}) {
        ASSERT_TRUE(
            fixtures::WriteTiff(Path("c.tif"), 24, 37, 29, false, compression, compression == COMPRESSION_NONE));
        ASSERT_TRUE(image.SetImageName(Path("c.tif")).Ok()) << compression;
        const RgbQuad q = image.Picture().PixelAt(0, 0);
        EXPECT_NEAR(q.Red, topLeft.Red, 8) << compression;
        EXPECT_NEAR(q.Green, topLeft.Green, 8) << compression;
        EXPECT_NEAR(q.Blue, topLeft.Blue, 8) << compression;
    }
    ASSERT_TRUE(fixtures::WriteTiff(Path("48.tif"), 48, 10, 10));
    ASSERT_TRUE(image.SetImageName(Path("48.tif")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 48);
    ASSERT_TRUE(fixtures::WriteTiff(Path("p.tif"), 8, 10, 10));
    ASSERT_TRUE(image.SetImageName(Path("p.tif")).Ok());
    EXPECT_EQ(image.ImageBitCount(), 8);
}

TEST_F(MultiImage, GifFrameReachingOutsideTheScreenIsClipped)
{
    TPMultiImage image;
    ASSERT_TRUE(fixtures::WriteGif(Path("off.gif"), 8, 20, 10, 15, 5, 30, 30));
    ASSERT_TRUE(image.SetImageName(Path("off.gif")).Ok());
    EXPECT_EQ(image.Picture().Width, 20);
    EXPECT_EQ(image.Picture().Height, 10);
    // Screen pixel (16, 6) is frame pixel (1, 1): index 2.
    EXPECT_EQ(image.Picture().PixelAt(16, 6), image.Picture().PaletteColour(2));
}

TEST_F(MultiImage, InterlacedAndTransparentGifFrames)
{
    TPMultiImage image;
    ASSERT_TRUE(fixtures::WriteGif(Path("i.gif"), 4, 13, 11, 0, 0, 13, 11, true));
    ASSERT_TRUE(image.SetImageName(Path("i.gif")).Ok());
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(image.Picture().PixelAt(x, y), image.Picture().PaletteColour((x + y) % 16)) << x << "," << y;

    // Index 3 transparent: those pixels keep the background (index 0).
    ASSERT_TRUE(fixtures::WriteGif(Path("t.gif"), 4, 8, 8, 0, 0, 8, 8, false, 3));
    ASSERT_TRUE(image.SetImageName(Path("t.gif")).Ok());
    EXPECT_EQ(image.Picture().PixelAt(3, 0), image.Picture().PaletteColour(0));
    EXPECT_EQ(image.Picture().PixelAt(2, 0), image.Picture().PaletteColour(2));
}

TEST_F(MultiImage, FailuresReportTheirBoxTextWithoutRaising)
{
    TPMultiImage image;
    fixtures::WriteAll(Path("ok.jpg"), fixtures::EncodeJpeg(fixtures::PhotoRgb(8, 8), 8, 8));
    ASSERT_TRUE(image.SetImageName(Path("ok.jpg")).Ok());

    struct Case {
        const char* name;
        const char* text;
    };
    for (const Case& c : {Case{"bad.jpg", "このJPGは読み込めません"}, Case{"bad.GIF", "このGIFは読み込めません"},
                          Case{"bad.tif", "このTIFは読み込めません"}, Case{"bad.bmp", "このBMPは読み込めません"}}) {
        fixtures::WriteAll(Path(c.name), std::vector<uint8_t>(300, 0x5A));
        const ImageResult r = image.SetImageName(Path(c.name));
        EXPECT_EQ(r.Status, ImageStatus::Failed);
        EXPECT_EQ(r.Message, c.text);
        EXPECT_TRUE(image.Picture().Empty());
        EXPECT_EQ(image.ImageBitCount(), 24);  // unchanged by a failed read
    }
    // A missing file empties the picture silently.
    ASSERT_TRUE(image.SetImageName(Path("ok.jpg")).Ok());
    ImageResult r = image.SetImageName(Path("gone.jpg"));
    EXPECT_EQ(r.Status, ImageStatus::Missing);
    EXPECT_TRUE(r.Message.empty());
    EXPECT_TRUE(image.Picture().Empty());
    // A directory named like a picture cannot be read.
    std::filesystem::create_directories(Path("dir.jpg"));
    EXPECT_EQ(image.SetImageName(Path("dir.jpg")).Message, "このJPGは読み込めません");

    // A JPEG header claiming 65535 x 65535 pixels is refused before any allocation.
    auto bomb = fixtures::EncodeJpeg(fixtures::PhotoRgb(16, 16), 16, 16);
    for (size_t i = 0; i + 8 < bomb.size(); ++i)
        if (bomb[i] == 0xFF && bomb[i + 1] == 0xC0) {
            bomb[i + 5] = bomb[i + 6] = bomb[i + 7] = bomb[i + 8] = 0xFF;
            break;
        }
    fixtures::WriteAll(Path("bomb.jpg"), bomb);
    EXPECT_EQ(image.SetImageName(Path("bomb.jpg")).Message, "このJPGは読み込めません");
    // Corrupt entropy data decodes to what can be recovered.
    auto corrupt = fixtures::EncodeJpeg(fixtures::PhotoRgb(64, 64), 64, 64);
    for (size_t i = corrupt.size() / 2; i < corrupt.size() - 2; i += 7)
        corrupt[i] = 0x13;
    fixtures::WriteAll(Path("corrupt.jpg"), corrupt);
    r = image.SetImageName(Path("corrupt.jpg"));
    EXPECT_TRUE(r.Ok() || r.Message == "このJPGは読み込めません");
}

TEST_F(MultiImage, SaveAsBmpWritesEveryDepth)
{
    TPMultiImage image;
    fixtures::WriteAll(Path("p.jpg"), fixtures::EncodeJpeg(fixtures::PhotoRgb(50, 40), 50, 40));
    ASSERT_TRUE(image.SetImageName(Path("p.jpg")).Ok());
    struct Case {
        ImageWriteDepth res;
        int bits;
        size_t maxPalette;
    };
    for (const Case& c :
         {Case{sAutoMatic, 24, 0}, Case{sColorTrue, 24, 0}, Case{sColorVga, 24, 0}, Case{sColor256, 8, 256},
          Case{sJpegGray, 8, 256}, Case{sColor16, 4, 16}, Case{sMonoChrome, 1, 2}}) {
        const ImageRead back = SaveAndRead(image, c.res);
        ASSERT_TRUE(back.Ok()) << c.res;
        EXPECT_EQ(back.FileBitCount, c.bits) << c.res;
        EXPECT_LE(back.Picture.Palette.size(), c.maxPalette);
        EXPECT_EQ(back.Picture.Width, 50);
    }
    // The display's depth decides sAutoMatic.
    image.SetDisplayBitsPerPixel(8);
    EXPECT_EQ(SaveAndRead(image, sAutoMatic).FileBitCount, 8);
    image.SetDisplayBitsPerPixel(4);
    EXPECT_EQ(SaveAndRead(image, sAutoMatic).FileBitCount, 4);

    // An empty name keeps DefSaveFilename; a named one replaces it.
    image.DefSaveFilename = Path("def.bmp");
    EXPECT_TRUE(image.SaveAsBmp().Ok());
    EXPECT_TRUE(std::filesystem::exists(Path("def.bmp")));
    EXPECT_TRUE(image.SaveAsBmp(Path("other.bmp")).Ok());
    EXPECT_EQ(image.DefSaveFilename, Path("other.bmp"));

    // Failures: an unwritable place, an empty picture.
    ImageResult r = image.SaveAsBmp(Path("no/such/dir/x.bmp"));
    EXPECT_EQ(r.Status, ImageStatus::Failed);
    EXPECT_EQ(r.Message, "Writing bmp file failed");
    image.SetPicture(DibPicture{});
    EXPECT_EQ(image.SaveAsBmp(Path("empty.bmp")).Message, "Writing bmp file failed");
    EXPECT_FALSE(std::filesystem::exists(Path("empty.bmp")));
}

TEST_F(MultiImage, ReadDepthFollowsTheDisplayAndPalettesExpandOnWrite)
{
    TPMultiImage image;
    fixtures::WriteAll(Path("p.jpg"), fixtures::EncodeJpeg(fixtures::PhotoRgb(30, 20), 30, 20));
    image.SetDisplayBitsPerPixel(8);
    ASSERT_TRUE(image.SetImageName(Path("p.jpg")).Ok());
    EXPECT_EQ(image.Picture().BitCount, 8);
    EXPECT_EQ(image.ImageBitCount(), 24);  // the file's depth, not the picture's
    image.SetDisplayBitsPerPixel(32);
    ASSERT_TRUE(image.SetImageName(Path("p.jpg")).Ok());
    EXPECT_EQ(image.Picture().BitCount, 24);

    // An 8-bit GIF written at a true-colour display's depth becomes 24 bits.
    ASSERT_TRUE(fixtures::WriteGif(Path("8.gif"), 8, 12, 12, 0, 0, 12, 12));
    ASSERT_TRUE(image.SetImageName(Path("8.gif")).Ok());
    const ImageRead back = SaveAndRead(image, sAutoMatic);
    EXPECT_EQ(back.FileBitCount, 24);
    EXPECT_EQ(back.Picture.PixelAt(5, 3), image.Picture().PixelAt(5, 3));
    // Kept at 8 bits, the palette survives whole.
    const ImageRead kept = SaveAndRead(image, sColor256);
    EXPECT_EQ(kept.Picture.Palette, image.Picture().Palette);
    EXPECT_EQ(kept.Picture.Bits, image.Picture().Bits);
}
