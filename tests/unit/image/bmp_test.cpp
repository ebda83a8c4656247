// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/bmp/bmp_writer.h"
#include "image/image_limits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// A bitmap file built field by field, so tests can write what encoders never do.
struct BmpBytes {
    std::vector<uint8_t> b;
    void U16(uint32_t v)
    {
        b.push_back(v & 0xFF);
        b.push_back((v >> 8) & 0xFF);
    }
    void U32(uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Bytes(std::initializer_list<uint8_t> v) { b.insert(b.end(), v); }
    // File header plus a 40-byte info header; offBits 0 means "after the palette".
    static BmpBytes Info(int32_t w, int32_t h, int bits, uint32_t compression, uint32_t colours, uint32_t paletteBytes,
                         uint32_t extra = 0)
    {
        BmpBytes f;
        f.Bytes({'B', 'M'});
        f.U32(0);
        f.U32(0);
        f.U32(14 + 40 + extra + paletteBytes);
        f.U32(40);
        f.U32(static_cast<uint32_t>(w));
        f.U32(static_cast<uint32_t>(h));
        f.U16(1);
        f.U16(bits);
        f.U32(compression);
        f.U32(0);
        f.U32(0);
        f.U32(0);
        f.U32(colours);
        f.U32(0);
        return f;
    }
};

DibPicture Pattern(int w, int h, int bits)
{
    DibPicture p;
    EXPECT_TRUE(p.Allocate(w, h, bits));
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i)
            p.Palette.push_back(
                {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3), 0});
    for (size_t i = 0; i < p.Bits.size(); ++i)
        p.Bits[i] = static_cast<uint8_t>(i * 37 + 11);
    // Padding bytes are not pixels: a writer may store anything there.
    const size_t used = (static_cast<size_t>(w) * bits + 7) / 8;
    for (int y = 0; y < h; ++y)
        for (size_t i = used; i < p.Stride(); ++i)
            p.Bits[y * p.Stride() + i] = 0;
    if (bits < 8 && (w * bits) % 8)
        for (int y = 0; y < h; ++y)
            p.Bits[y * p.Stride() + used - 1] &= static_cast<uint8_t>(0xFF << (8 - (w * bits) % 8));
    return p;
}

}  // namespace

TEST(Bmp, RoundTripsKeepDepthPaletteAndPixels)
{
    for (int bits : {1, 4, 8, 24}) {
        const DibPicture src = Pattern(13, 7, bits);
        const ImageRead back = DecodeBmp(EncodeBmp(src));
        ASSERT_TRUE(back.Ok()) << bits;
        EXPECT_EQ(back.FileBitCount, bits);
        EXPECT_EQ(back.Picture.BitCount, bits);
        EXPECT_EQ(back.Picture.Width, 13);
        EXPECT_EQ(back.Picture.Height, 7);
        EXPECT_EQ(back.Picture.Palette, src.Palette);
        EXPECT_EQ(back.Picture.Bits, src.Bits) << bits;
    }
}

TEST(Bmp, HeaderIsAStandardInfoHeader)
{
    const DibPicture src = Pattern(3, 2, 8);
    const std::vector<uint8_t> f = EncodeBmp(src);
    ASSERT_EQ(f.size(), 14u + 40 + 256 * 4 + 2 * 4);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[14], 40);  // BITMAPINFOHEADER
    EXPECT_EQ(f[10] | (f[11] << 8), 14 + 40 + 1024);
    EXPECT_EQ(f[22], 2);  // positive height: bottom-up
    EXPECT_EQ(f[28], 8);
    EXPECT_EQ(f[30], 0);  // BI_RGB
}

TEST(Bmp, TopDownSixteenAndThirtyTwoBitsAndBitFields)
{
    // 2 x 2, top-down, 16 bits 5-5-5: top row red, white; bottom row blue, black.
    BmpBytes f = BmpBytes::Info(2, -2, 16, 0, 0, 0);
    f.U16(0x7C00);
    f.U16(0x7FFF);
    f.U16(0x001F);
    f.U16(0);
    ImageRead r = DecodeBmp(f.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.BitCount, 24);
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{0, 0, 255, 0}));
    EXPECT_EQ(r.Picture.PixelAt(1, 0), (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(r.Picture.PixelAt(0, 1), (RgbQuad{255, 0, 0, 0}));

    // 5-6-5 bit fields after the info header: pure green.
    BmpBytes g = BmpBytes::Info(1, 1, 16, 3, 0, 0, 12);
    g.U32(0xF800);
    g.U32(0x07E0);
    g.U32(0x001F);
    g.U16(0x07E0);
    g.U16(0);
    r = DecodeBmp(g.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{0, 255, 0, 0}));

    // 32 bits, plain BGRX.
    BmpBytes x = BmpBytes::Info(1, 1, 32, 0, 0, 0);
    x.Bytes({10, 20, 30, 40});
    r = DecodeBmp(x.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{10, 20, 30, 0}));
}

TEST(Bmp, RowPaddingIsNotTakenFromTheFile)
{
    // 9 x 2, 1 bit, top-down, with junk in every row's padding: the padding
    // of the decoded rows is zero whichever row the file stores first, so the
    // picture written back decodes to the same bytes.
    BmpBytes f = BmpBytes::Info(9, -2, 1, 0, 2, 8);
    f.Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    f.Bytes({0xAA, 0x80, 0xDE, 0xAD});
    f.Bytes({0x55, 0x00, 0xBE, 0xEF});
    const ImageRead r = DecodeBmp(f.b);
    ASSERT_TRUE(r.Ok());
    const size_t stride = r.Picture.Stride();
    for (int y = 0; y < 2; ++y)
        for (size_t i = 2; i < stride; ++i)
            EXPECT_EQ(r.Picture.Bits[y * stride + i], 0) << "row " << y << " byte " << i;
    const ImageRead again = DecodeBmp(EncodeBmp(r.Picture));
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(again.Picture.Bits, r.Picture.Bits);
}

TEST(Bmp, RunLengthEncodingsClipAtTheEdges)
{
    // RLE8 4 x 2: bottom row run of 3 x index 1 then absolute (2, 1) which
    // overflows the row and is clipped; delta skips; end of bitmap.
    BmpBytes f = BmpBytes::Info(4, 2, 8, 1, 2, 8);
    f.Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    f.Bytes({3, 1, 0, 3, 0, 1, 1, 0, 0, 0, 0, 2, 1, 0, 1, 1, 1, 200, 0, 1});
    ImageRead r = DecodeBmp(f.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.BitCount, 8);
    EXPECT_EQ(r.Picture.PixelAt(0, 1), (RgbQuad{255, 255, 255, 0}));  // bottom row
    EXPECT_EQ(r.Picture.PixelAt(3, 1), (RgbQuad{}));
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{}));
    EXPECT_EQ(r.Picture.PixelAt(1, 0), (RgbQuad{255, 255, 255, 0}));  // after the delta
    EXPECT_EQ(r.Picture.PixelAt(2, 0), (RgbQuad{}));                  // index 200 is past the palette: black

    // RLE4 3 x 1: a run alternating 1 and 0.
    BmpBytes g = BmpBytes::Info(3, 1, 4, 2, 2, 8);
    g.Bytes({0, 0, 0, 0, 9, 9, 9, 0});
    g.Bytes({3, 0x10, 0, 1});
    r = DecodeBmp(g.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{9, 9, 9, 0}));
    EXPECT_EQ(r.Picture.PixelAt(1, 0), (RgbQuad{}));
    EXPECT_EQ(r.Picture.PixelAt(2, 0), (RgbQuad{9, 9, 9, 0}));
}

TEST(Bmp, CoreHeaderWithThreeBytePalette)
{
    BmpBytes f;
    f.Bytes({'B', 'M'});
    f.U32(0);
    f.U32(0);
    f.U32(14 + 12 + 6);
    f.U32(12);
    f.U16(2);
    f.U16(1);
    f.U16(1);
    f.U16(1);
    f.Bytes({1, 2, 3, 4, 5, 6});
    f.Bytes({0x40, 0, 0, 0});
    const ImageRead r = DecodeBmp(f.b);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Picture.PixelAt(0, 0), (RgbQuad{1, 2, 3, 0}));
    EXPECT_EQ(r.Picture.PixelAt(1, 0), (RgbQuad{4, 5, 6, 0}));
}

TEST(Bmp, HostileHeadersAreRefusedWithoutAllocating)
{
    auto invalid = [](const BmpBytes& f) { return DecodeBmp(f.b).Failure == ReadFailure::NotValid; };
    EXPECT_TRUE(invalid(BmpBytes{}));
    BmpBytes notBm = BmpBytes::Info(1, 1, 24, 0, 0, 0);
    notBm.b[0] = 'X';
    EXPECT_TRUE(invalid(notBm));
    EXPECT_TRUE(invalid(BmpBytes::Info(0, 1, 24, 0, 0, 0)));
    EXPECT_TRUE(invalid(BmpBytes::Info(-5, 1, 24, 0, 0, 0)));
    EXPECT_TRUE(invalid(BmpBytes::Info(65535, 65535, 24, 0, 0, 0)));  // 12 GB claimed
    EXPECT_TRUE(invalid(BmpBytes::Info(0x7FFFFFFF, -0x7FFFFFFF, 1, 0, 0, 0)));
    EXPECT_TRUE(invalid(BmpBytes::Info(1, 1, 7, 0, 0, 0)));
    EXPECT_TRUE(invalid(BmpBytes::Info(1, 1, 24, 1, 0, 0)));     // RLE8 at 24 bits
    EXPECT_TRUE(invalid(BmpBytes::Info(1, -1, 8, 1, 0, 1024)));  // top-down RLE
    BmpBytes shortData = BmpBytes::Info(4, 4, 24, 0, 0, 0);
    shortData.Bytes({1, 2, 3});
    EXPECT_TRUE(invalid(shortData));
    BmpBytes shortPalette = BmpBytes::Info(1, 1, 8, 0, 256, 1024);
    shortPalette.Bytes({1, 2, 3, 4});
    EXPECT_TRUE(invalid(shortPalette));
    // The last row may lack its padding.
    BmpBytes unpadded = BmpBytes::Info(1, 2, 24, 0, 0, 0);
    unpadded.Bytes({1, 2, 3, 0, 4, 5, 6});
    EXPECT_TRUE(DecodeBmp(unpadded.b).Ok());
}

TEST(Bmp, FileReaderTellsMissingFromInvalidAndWritesAtomically)
{
    const auto dir = std::filesystem::temp_directory_path() / ("zelvaro_bmp_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    EXPECT_EQ(ReadBmpFile((dir / "none.bmp").string()).Failure, ReadFailure::Missing);
    EXPECT_EQ(ReadBmpFile(dir.string()).Failure, ReadFailure::Unreadable);
    const std::string junk = (dir / "junk.bmp").string();
    std::ofstream(junk) << "not a bitmap at all, just text";
    EXPECT_EQ(ReadBmpFile(junk).Failure, ReadFailure::NotValid);

    const std::string out = (dir / "out.bmp").string();
    const DibPicture src = Pattern(5, 3, 24);
    ASSERT_TRUE(WriteBmpFile(out, src, WriteFileBeside));
    const ImageRead back = ReadBmpFile(out);
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.Picture.Bits, src.Bits);
    EXPECT_FALSE(std::filesystem::exists(out + ".~new"));
    // A failed write leaves the old file whole.
    EXPECT_FALSE(WriteBmpFile((dir / "no" / "such" / "dir.bmp").string(), src, WriteFileBeside));
    EXPECT_FALSE(WriteBmpFile(out, DibPicture{}, WriteFileBeside));
    EXPECT_TRUE(ReadBmpFile(out).Ok());
    std::filesystem::remove_all(dir);
}
