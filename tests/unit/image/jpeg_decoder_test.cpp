// SPDX-License-Identifier: GPL-3.0-or-later
// Large JPEG files are decoded by two decoders at once, the second taking
// over at a row of blocks: the picture must be exactly libjpeg-turbo's own
// single-pass decode, for every sampling, from memory and from a file, and
// for a file cut short.
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Encode(const std::vector<uint8_t>& rgb, int w, int h, int sampling)
{
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> bytes;
    if (tjCompress2(tj, rgb.data(), w, 0, h, TJPF_RGB, &out, &size, sampling, 85, 0) == 0)
        bytes.assign(out, out + size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

// libjpeg-turbo's single-pass decode as blue, green, red (or grey), top row first.
std::vector<uint8_t> Reference(const std::vector<uint8_t>& jpeg, int w, int h, bool grey)
{
    std::vector<uint8_t> out(static_cast<size_t>(w) * h * (grey ? 1 : 3));
    tjhandle tj = tjInitDecompress();
    tjDecompress2(tj, jpeg.data(), jpeg.size(), out.data(), w, 0, h, grey ? TJPF_GRAY : TJPF_BGR, 0);
    tjDestroy(tj);
    return out;
}

// The first row (from the top) where the picture differs, or -1.
int FirstDifferentRow(const DibPicture& pic, const std::vector<uint8_t>& ref, int bytesPerPixel)
{
    const size_t rowBytes = static_cast<size_t>(pic.Width) * bytesPerPixel;
    for (int y = 0; y < pic.Height; ++y)
        if (!std::equal(ref.begin() + y * rowBytes, ref.begin() + (y + 1) * rowBytes, pic.TopRow(y)))
            return y;
    return -1;
}

TEST(JpegDecoder, TwoDecodersGiveTheSinglePassPicture)
{
    const int w = 1203, h = 877;  // over a million pixels, odd sizes: padded rows, a partial block row
    const auto rgb = fixtures::PhotoRgb(w, h);
    const std::string dir = ::testing::TempDir() + "/jpeg_split";
    std::filesystem::create_directories(dir);
    struct Case {
        const char* name;
        int sampling;
        bool cut;
    };
    for (const Case c : {Case{"4:2:0", TJSAMP_420, false}, Case{"4:2:2", TJSAMP_422, false},
                         Case{"4:4:4", TJSAMP_444, false}, Case{"4:4:0", TJSAMP_440, false},
                         Case{"grey", TJSAMP_GRAY, false}, Case{"4:2:0 cut short", TJSAMP_420, true}}) {
        SCOPED_TRACE(c.name);
        const bool grey = c.sampling == TJSAMP_GRAY;
        auto jpeg = Encode(rgb, w, h, c.sampling);
        ASSERT_FALSE(jpeg.empty());
        if (c.cut)
            jpeg.resize(jpeg.size() * 3 / 4);
        const auto ref = Reference(jpeg, w, h, grey);
        const std::string path = dir + "/p.jpg";
        fixtures::WriteAll(path, jpeg);
        for (const ImageRead& r : {DecodeJpeg(jpeg), DecodeJpegFile(path)}) {
            ASSERT_TRUE(r.Ok()) << r.Reason;
            ASSERT_EQ(r.Picture.Width, w);
            ASSERT_EQ(r.Picture.Height, h);
            EXPECT_EQ(FirstDifferentRow(r.Picture, ref, grey ? 1 : 3), -1);
            const size_t used = static_cast<size_t>(w) * (grey ? 1 : 3);
            for (int y : {0, h / 2, h - 1})
                for (size_t x = used; x < r.Picture.Stride(); ++x)
                    EXPECT_EQ(r.Picture.TopRow(y)[x], 0) << "padding of row " << y;
        }
    }
}

}  // namespace
