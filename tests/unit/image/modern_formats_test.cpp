// SPDX-License-Identifier: GPL-3.0-or-later
// PNG, WebP, HEIC, AVIF and JPEG XL files written by the formats' own
// encoders come back through the image component as the picture that was
// encoded: exactly for lossless files, close for lossy ones; a file cut short
// is refused with its own message; photos are turned upright.
#include "address_space_limit.h"
#include "files_in_temp_dir.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/heif/heif_library.h"
#include "image/formats/jxl/jxl_library.h"
#include "image/formats/png/png_decoder.h"
#include "image/formats/shared_library.h"
#include "image/multi_image.h"
#include "image/orientation.h"
#include "image_fixtures.h"
#include "layered_avif.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Peak signal to noise of the picture against the top-down RGB source, in
// dB; infinity when they are equal.
double Psnr(const DibPicture& pic, const std::vector<uint8_t>& rgb, int w, int h)
{
    if (pic.Width != w || pic.Height != h || pic.BitCount != 24)
        return 0;
    double squares = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RgbQuad p = pic.PixelAt(x, y);
            const uint8_t* s = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            for (auto [a, b] : {std::pair{p.Red, s[0]}, {p.Green, s[1]}, {p.Blue, s[2]}})
                squares += (a - b) * (a - b);
        }
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * 3 * w * h / squares);
}

// The picture's pixels, top-down RGB.
std::vector<uint8_t> RgbOf(const DibPicture& pic)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < pic.Height; ++y)
        for (int x = 0; x < pic.Width; ++x) {
            const RgbQuad p = pic.PixelAt(x, y);
            rgb.insert(rgb.end(), {p.Red, p.Green, p.Blue});
        }
    return rgb;
}

class ModernFormats : public FilesInTempDir {
protected:
    ModernFormats() : FilesInTempDir("modern") {}

    // The AVIF file read by the program into `image`, and its PSNR against
    // the same file as libavif's avifdec shows it (0 when either fails).
    static double AgainstAvifdec(const std::string& avif, TPMultiImage& image)
    {
        const std::string shown = avif + "-avifdec.png";
        if (std::system(("avifdec -d 16 '" + avif + "' '" + shown + "' >/dev/null 2>&1").c_str()) != 0)
            return 0;
        const ImageRead reference = DecodePngFile(shown);
        image.ImageReadRes = lColorTrue;
        if (!reference.Ok() || !image.SetImageName(avif).Ok())
            return 0;
        return Psnr(image.Picture(), RgbOf(reference.Picture), reference.Picture.Width, reference.Picture.Height);
    }
};

}  // namespace

TEST_F(ModernFormats, EachFileReadsBackAsEncodedAndACutFileIsRefused)
{
    const int w = 67, h = 45;  // odd: rows are padded, chroma is subsampled unevenly
    const auto rgb = fixtures::PhotoRgb(w, h);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        double minPsnr;  // infinity: lossless, read back exactly
        const char* failure;
    };
    const Case cases[] = {
        {"shot.png", fixtures::EncodePng(rgb, w, h), INFINITY, "このPNGは読み込めません"},
        {"lossless.webp", fixtures::EncodeWebp(rgb, w, h, true), INFINITY, "このWEBPは読み込めません"},
        {"lossy.WEBP", fixtures::EncodeWebp(rgb, w, h, false), 30, "このWEBPは読み込めません"},
        {"animated.webp", fixtures::EncodeAnimatedWebp(rgb, w, h), INFINITY, "このWEBPは読み込めません"},
        {"photo.heic", fixtures::EncodeHeif(rgb, w, h, false), 30, "このHEICは読み込めません"},
        {"photo.heif", fixtures::EncodeHeif(rgb, w, h, false), 30, "このHEIFは読み込めません"},
        {"download.avif", fixtures::EncodeHeif(rgb, w, h, true), 30, "このAVIFは読み込めません"},
        {"lossless.jxl", fixtures::EncodeJxl(rgb, w, h, true), INFINITY, "このJXLは読み込めません"},
        {"lossy.JXL", fixtures::EncodeJxl(rgb, w, h, false), 30, "このJXLは読み込めません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty()) << "the encoder refused";
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        ASSERT_TRUE(image.SetImageName(Put(c.name, c.bytes)).Ok());
        const double psnr = Psnr(image.Picture(), rgb, w, h);
        if (std::isinf(c.minPsnr))
            EXPECT_TRUE(std::isinf(psnr)) << psnr << " dB";
        else
            EXPECT_GE(psnr, c.minPsnr);
        const std::vector<uint8_t> cut(c.bytes.begin(), c.bytes.begin() + static_cast<long>(c.bytes.size() / 2));
        const ImageResult refused = image.SetImageName(Put(std::string("cut-") + c.name, cut));
        EXPECT_EQ(refused.Status, ImageStatus::Failed);
        EXPECT_EQ(refused.Message, c.failure);
        EXPECT_TRUE(image.Picture().Empty());
    }
}

TEST_F(ModernFormats, AFlatScreenSizedPictureOfAFewBytesIsRead)
{
    // A lossless WebP or JPEG XL of one colour is a few dozen bytes at any
    // size; it is a picture, not a header that promises too much.
    const int w = 1920, h = 1080;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3)
        rgb[i] = 200, rgb[i + 1] = 30, rgb[i + 2] = 90;
    for (const auto& [name, bytes] : {std::pair{"flat.webp", fixtures::EncodeWebp(rgb, w, h, true)},
                                      std::pair{"flat.jxl", fixtures::EncodeJxl(rgb, w, h, true)}}) {
        SCOPED_TRACE(name);
        EXPECT_LT(bytes.size(), 1000u);
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        ASSERT_TRUE(image.SetImageName(Put(name, bytes)).Ok());
        EXPECT_EQ(image.Picture().PixelAt(w - 1, h - 1), (RgbQuad{90, 30, 200, 0}));
    }
}

namespace {

// An APP1 segment holding only an orientation, in either byte order.
std::vector<uint8_t> ExifSegment(int orientation, bool motorola)
{
    std::vector<uint8_t> tiff;
    auto put16 = [&](unsigned v) {
        const uint8_t high = static_cast<uint8_t>(v >> 8), low = static_cast<uint8_t>(v);
        tiff.push_back(motorola ? high : low);
        tiff.push_back(motorola ? low : high);
    };
    auto put32 = [&](uint32_t v) {
        motorola ? (put16(v >> 16), put16(v & 0xFFFF)) : (put16(v & 0xFFFF), put16(v >> 16));
    };
    tiff = {'E', 'x', 'i', 'f', 0, 0, uint8_t(motorola ? 'M' : 'I'), uint8_t(motorola ? 'M' : 'I')};
    put16(42);
    put32(8);
    put16(2);  // two entries: something else first, then the orientation
    put16(0x010F), put16(2), put32(4), put32(0x41424300);
    put16(0x0112), put16(3), put32(1), put16(static_cast<unsigned>(orientation)), put16(0);
    put32(0);
    const size_t length = tiff.size() + 2;
    tiff.insert(tiff.begin(), {0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length)});
    return tiff;
}

}  // namespace

TEST_F(ModernFormats, EveryOrientationShowsThePhotoUpright)
{
    // Stored: red top left, green top right, blue bottom left, white bottom
    // right, in blocks large enough to survive lossy coding.
    const int w = 32, h = 16;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    const uint8_t kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::copy_n(kColours[(y >= h / 2) * 2 + (x >= w / 2)], 3, &rgb[(static_cast<size_t>(y) * w + x) * 3]);
    // The corners as shown (top left, top right, bottom left, bottom right).
    const char* const kShown[9] = {"", "RGBW", "GRWB", "WBGR", "BWRG", "RBGW", "BRWG", "WGBR", "GWRB"};
    auto letter = [](RgbQuad p) {
        return p.Red > 128 ? (p.Green > 128 ? 'W' : 'R') : (p.Green > 128 ? 'G' : (p.Blue > 128 ? 'B' : '?'));
    };
    const std::vector<uint8_t> jpeg = fixtures::EncodeJpeg(rgb, w, h, false, 95);
    const std::string source = Put("upright.png", fixtures::EncodePng(rgb, w, h));
    // avifenc's turns and mirrors for each orientation, and the file it makes
    // with them (and an Exif block, from its TIFF header, when given).
    const char* const kTurns[9] = {
        "", "", "--imir 1", "--irot 2", "--imir 0", "--irot 1 --imir 0", "--irot 3", "--irot 1 --imir 1", "--irot 1"};
    auto AvifencTurned = [&](const std::string& png, int o, const std::vector<uint8_t>& exif) {
        const std::string avif = (dir_ / "avifenc.avif").string(), exifFile = (dir_ / "exif.bin").string();
        std::string command = std::string("avifenc -s 10 --min 0 --max 10 ") + kTurns[o];
        if (!exif.empty()) {
            fixtures::WriteAll(exifFile, std::vector<uint8_t>(exif.begin() + 10, exif.end()));
            command += " --exif '" + exifFile + "'";
        }
        command += " '" + png + "' '" + avif + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? fixtures::ReadAll(avif) : std::vector<uint8_t>{};
    };
    // Some writers put PNG's eXIf after the image data: moved before IEND.
    auto ExifAfterImageData = [](std::vector<uint8_t> png) {
        const size_t length = size_t{png[33]} << 24 | size_t{png[34]} << 16 | size_t{png[35]} << 8 | png[36];
        const std::vector<uint8_t> chunk(png.begin() + 33, png.begin() + 33 + 12 + static_cast<long>(length));
        png.erase(png.begin() + 33, png.begin() + 33 + static_cast<long>(chunk.size()));
        png.insert(png.end() - 12, chunk.begin(), chunk.end());
        return png;
    };
    for (int o = 1; o <= 8; ++o) {
        std::vector<uint8_t> withExif = ExifSegment(o, o % 2);
        withExif.insert(withExif.begin(), jpeg.begin(), jpeg.begin() + 2);  // after the start of image
        withExif.insert(withExif.end(), jpeg.begin() + 2, jpeg.end());
        // PNG and WebP hold the block from its TIFF header on; a WebP writer
        // may keep JPEG's "Exif" prefix.
        const std::vector<uint8_t> segment = ExifSegment(o, o % 2);
        const std::vector<uint8_t> tiff(segment.begin() + 10, segment.end());
        const std::vector<uint8_t> prefixed(segment.begin() + 4, segment.end());
        const std::pair<const char*, std::vector<uint8_t>> files[] = {
            {"o.jpg", withExif},
            {"o.png", fixtures::PngWithChunk(fixtures::EncodePng(rgb, w, h), "eXIf", tiff)},
            {"late.png", ExifAfterImageData(fixtures::PngWithChunk(fixtures::EncodePng(rgb, w, h), "eXIf", tiff))},
            {"o.webp", fixtures::WebpWithChunk(fixtures::EncodeWebp(rgb, w, h, true), "EXIF", o % 2 ? prefixed : tiff)},
            {"o.heic", fixtures::EncodeHeif(rgb, w, h, false, o)},
            {"exif.heic", fixtures::EncodeHeif(rgb, w, h, false, 1, nullptr, tiff)},
            // AVIF files from libavif's own encoder, turned and mirrored by
            // the container as asked, or as their Exif block says (avifenc
            // turns that into the container's own turn and mirror).
            {"o.avif", AvifencTurned(source, o, {})},
            {"exif.avif", AvifencTurned(source, 1, ExifSegment(o, o % 2))},
            {"o.jxl", fixtures::EncodeJxl(rgb, w, h, true, o)},
        };
        for (const auto& [name, bytes] : files) {
            SCOPED_TRACE(std::string(name) + " orientation " + std::to_string(o));
            TPMultiImage image;
            image.ImageReadRes = lColorTrue;
            ASSERT_TRUE(image.SetImageName(Put(name, bytes)).Ok());
            const DibPicture& p = image.Picture();
            ASSERT_EQ(p.Width, o >= 5 ? h : w);
            const int r = p.Width - 3, b = p.Height - 3;
            const std::string shown = {letter(p.PixelAt(2, 2)), letter(p.PixelAt(r, 2)), letter(p.PixelAt(2, b)),
                                       letter(p.PixelAt(r, b))};
            EXPECT_EQ(shown, kShown[o]);
        }
    }
    EXPECT_EQ(ExifOrientation({}), 1);
    const std::vector<uint8_t> cutExif = ExifSegment(6, true);
    EXPECT_EQ(ExifOrientation({cutExif.data() + 4, 30}), 1) << "an entry past the end is not read";
}

// The HEIF and JPEG XL decoders are loaded on the first such file; a library
// that is not there finds nothing, not the functions of whatever else the
// process has loaded.
TEST(LoadedDecoders, AMissingLibraryFindsNothingAndThePresentOnesAreComplete)
{
    const SharedLibrary missing("libzelvaro-no-such-library.so.0");
    size_t (*strlenFn)(const char*) = nullptr;
    EXPECT_FALSE(missing.Loaded());
    EXPECT_FALSE(missing.Find("strlen", strlenFn));
    EXPECT_EQ(strlenFn, nullptr);
    ASSERT_NE(HeifLibrary::Get(), nullptr);
    ASSERT_NE(JxlLibrary::Get(), nullptr);
    EXPECT_NE(JxlLibrary::Get()->ThreadParallelRunner, nullptr);
}

// libheif decodes only at full size; with a hint the reader averages blocks
// of pixels, as large as still meets the hint, the odd edge included.
TEST(HeifScaledRead, BlocksAreAveragedWhileThePictureStillMeetsTheHint)
{
    // Left half black, right half white: a block across the middle is grey.
    const int w = 130, h = 64;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3, 0);
    for (int y = 0; y < h; ++y)
        std::fill_n(rgb.begin() + (static_cast<ptrdiff_t>(y) * w + w / 2) * 3, (w - w / 2) * 3, 255);
    const std::vector<uint8_t> avif = fixtures::EncodeHeif(rgb, w, h, true);
    ASSERT_FALSE(avif.empty());
    struct Case {
        ScaleHint hint;
        int width, height;
    };
    for (const Case& c :
         {Case{{}, 130, 64}, Case{{60, 30, true}, 65, 32}, Case{{20, 40, true}, 130, 64}, Case{{20, 20, true}, 44, 22},
          Case{{40, 40, false}, 44, 22}, Case{{10, 10, true}, 19, 10}, Case{{1, 1, true}, 17, 8}}) {
        SCOPED_TRACE(std::to_string(c.hint.Width) + "x" + std::to_string(c.hint.Height));
        const ImageRead read = DecodeHeif(avif, c.hint);
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.Picture.Width, c.width);
        EXPECT_EQ(read.Picture.Height, c.height);
        EXPECT_TRUE(!c.hint.Wanted() || c.hint.LargeEnough(read.Picture.Width, read.Picture.Height));
        // The corners keep their colours; the rightmost column averages the
        // picture's last, narrower blocks.
        EXPECT_LE(read.Picture.PixelAt(0, 0).Red, 8);
        EXPECT_GE(read.Picture.PixelAt(read.Picture.Width - 1, read.Picture.Height - 1).Red, 247);
    }
}

// AVIF files as avifenc writes them, read as libavif's own conversion to RGB
// shows them: grey in limited and in full range (black black, white white),
// and an image sequence, whose first frame is the picture. (avifdec writes
// an 8-bit grey PNG straight from the stored luma, limited range and all; at
// 16 bits it converts to RGB. It shows a sequence's first frame.)
TEST_F(ModernFormats, AvifMatchesAvifdec)
{
    if (std::system("command -v avifenc >/dev/null && command -v avifdec >/dev/null") != 0)
        GTEST_SKIP() << "avifenc and avifdec are missing (scripts/install-deps installs libavif-bin)";
    const int w = 64, h = 48;
    std::vector<uint8_t> grey, colour, inverted;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            grey.insert(grey.end(), 3, static_cast<uint8_t>((x + y) * 255 / (w + h - 2)));
            const uint8_t c[3] = {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5), 200};
            colour.insert(colour.end(), c, c + 3);
            inverted.insert(inverted.end(), {static_cast<uint8_t>(255 - c[0]), static_cast<uint8_t>(255 - c[1]), 55});
        }
    const std::string greyPng = Put("grey.png", fixtures::EncodePng(grey, w, h));
    const std::string frames = "'" + Put("first.png", fixtures::EncodePng(colour, w, h)) + "' '" +
                               Put("second.png", fixtures::EncodePng(inverted, w, h)) + "'";
    const struct {
        const char* name;
        std::string options;  // avifenc's, and the pictures it encodes
    } cases[] = {
        {"limited.avif", "-y 400 -r limited '" + greyPng + "'"},
        {"full.avif", "-y 400 -r full '" + greyPng + "'"},
        {"sequence.avifs", "-y 444 " + frames},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string avif = (dir_ / c.name).string();
        const std::string encode = "avifenc --min 0 --max 0 -s 10 " + c.options + " '" + avif + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(encode.c_str()), 0);
        TPMultiImage image;
        EXPECT_GT(AgainstAvifdec(avif, image), 40.0);
        EXPECT_EQ(image.Picture().Width, w);
    }
}

// A layered AVIF (a half-size base layer under the whole picture) shows the
// layer its "lsel" asks for, and without one the whole picture, as libavif's
// avifdec shows them: at the size the file states, a lower layer scaled up
// to it, so the base layer has lost the one-pixel checks the whole has.
TEST_F(ModernFormats, LayeredAvifShowsTheLayerItAsksFor)
{
    if (std::system("command -v avifdec >/dev/null") != 0)
        GTEST_SKIP() << "avifdec is missing (scripts/install-deps installs libavif-bin)";
    const int w = 64, h = 48;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rgb.insert(rgb.end(), 3, static_cast<uint8_t>((x + y) % 2 ? 220 : 30));
    for (const auto& [selected, whole] : {std::pair{0, false}, {1, true}, {-1, true}}) {
        SCOPED_TRACE(selected);
        TPMultiImage image;
        EXPECT_GT(AgainstAvifdec(Put("layered.avif", fixtures::EncodeLayeredAvif(rgb, w, h, selected)), image), 40.0);
        EXPECT_EQ(Psnr(image.Picture(), rgb, w, h) > 30.0, whole) << Psnr(image.Picture(), rgb, w, h);
    }
}

// AVIF files libavif 0.11 refuses or draws wrong, shown as encoded: a
// transparent picture in its stored colours (not darkened by its alpha), a
// clean aperture at half-pixel or odd offsets cropped after the conversion
// to RGB (avifdec shows the whole picture: its crop is the reference), and
// through libheif a file with two "ipma" boxes and one with matrix
// coefficients 10 (BT.2020 constant luminance; avifenc writes no such file,
// so one of matrix 9 (BT.709 primaries) has its code point changed, and avifdec's matrix-9
// picture is the reference).
TEST_F(ModernFormats, AvifThatLibavifRefusesOrDarkensShowsAsStored)
{
    if (std::system("command -v avifenc >/dev/null && command -v avifdec >/dev/null") != 0)
        GTEST_SKIP() << "avifenc and avifdec are missing (scripts/install-deps installs libavif-bin)";
    const int w = 64, h = 48;
    std::vector<uint8_t> rgb, rgba;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t c[3] = {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(174 - y), 255};
            rgb.insert(rgb.end(), c, c + 3);
            rgba.insert(rgba.end(), {c[0], c[1], c[2], static_cast<uint8_t>(x < 32 ? 60 : 255 - x)});
        }
    const std::string png = "'" + Put("rgb.png", fixtures::EncodePng(rgb, w, h)) + "'";
    const std::string pngAlpha = "'" + Put("rgba.png", fixtures::EncodePng(rgba, w, h, true)) + "'";
    const std::string lossless = "--min 0 --max 0 --minalpha 0 --maxalpha 0 -s 10 ";
    // The file with the bytes after the first `after` changed to `bytes`
    // (avifenc writes no file libavif refuses).
    auto patched = [](std::vector<uint8_t> file, std::string_view after, const std::vector<uint8_t>& bytes) {
        const auto at = std::search(file.begin(), file.end(), after.begin(), after.end());
        if (file.end() - at >= static_cast<ptrdiff_t>(after.size() + bytes.size()))
            std::copy(bytes.begin(), bytes.end(), at + static_cast<ptrdiff_t>(after.size()));
        return file;
    };
    // A clean aperture of w x h pixels at the centre, moved by half a pixel.
    const std::vector<uint8_t> halfPixelClap{0, 0, 0, 33, 0, 0, 0, 1, 0, 0, 0, 21, 0, 0, 0, 1,
                                             0, 0, 0, 0,  0, 0, 0, 1, 0, 0, 0, 0,  0, 0, 0, 1};
    const std::vector<uint8_t> oddClap{0, 0, 0, 34, 0, 0, 0, 1, 0, 0, 0, 20, 0, 0, 0, 1,
                                       0, 0, 0, 0,  0, 0, 0, 1, 0, 0, 0, 0,  0, 0, 0, 1};
    const std::vector<uint8_t> matrix10{0, 1, 0, 13, 0, 10};  // BT.709 primaries, the sRGB curve, matrix 10
    const struct {
        const char* name;
        std::string encode;  // avifenc's options and source, or empty for a file made here
        const char* patchAfter;
        std::vector<uint8_t> patch;  // the bytes written after it once avifdec has shown the file
        int cropX, cropY, cropW, cropH;
        bool avifdecReference;  // else the encoded picture is
        double leastPsnr;
    } cases[] = {
        {"alpha.avif", lossless + "-y 444 " + pngAlpha, "", {}, 0, 0, w, h, true, 40},
        {"half-pixel-crop.avif", lossless + "-y 444 --clap 33,1,21,1,1,2,1,2 " + png, "clap", halfPixelClap, 16, 14, 33,
         21, true, 40},
        {"odd-crop-420.avif", lossless + "-y 420 --clap 34,1,20,1,1,1,0,1 " + png, "clap", oddClap, 15, 14, 34, 20,
         true, 30},
        {"two-ipma.avif", "", "", {}, 0, 0, w, h, false, 30},
        {"matrix-10.avif", lossless + "-y 444 --cicp 1/13/9 " + png, "nclx", matrix10, 0, 0, w, h, true, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string avif = (dir_ / c.name).string();
        if (c.encode.empty())
            fixtures::WriteAll(avif, fixtures::EncodeAvifWithTwoIpma(rgb, w, h));
        else
            ASSERT_EQ(std::system(("avifenc " + c.encode + " '" + avif + "' >/dev/null 2>&1").c_str()), 0);
        std::vector<uint8_t> reference = rgb;
        if (c.avifdecReference) {
            const std::string shown = avif + "-avifdec.png";
            ASSERT_EQ(std::system(("avifdec -d 8 '" + avif + "' '" + shown + "' >/dev/null 2>&1").c_str()), 0);
            const ImageRead decoded = DecodePngFile(shown);
            ASSERT_TRUE(decoded.Ok());
            reference = RgbOf(decoded.Picture);
        }
        if (!c.patch.empty())
            fixtures::WriteAll(avif, patched(fixtures::ReadAll(avif), c.patchAfter, c.patch));
        std::vector<uint8_t> cropped;
        for (int y = c.cropY; y < c.cropY + c.cropH; ++y)
            cropped.insert(cropped.end(), &reference[(static_cast<size_t>(y) * w + c.cropX) * 3],
                           &reference[(static_cast<size_t>(y) * w + c.cropX + c.cropW) * 3]);
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        ASSERT_TRUE(image.SetImageName(avif).Ok());
        EXPECT_EQ(image.Picture().Width, c.cropW);
        EXPECT_GT(Psnr(image.Picture(), cropped, c.cropW, c.cropH), c.leastPsnr);
    }
}

// A flat 8192 x 8192 AVIF of a kilobyte, read to fill a 1280 x 1024 screen,
// is reduced as it is converted to RGB: the read fits in 400 MB more than
// the test holds (its decoded planes take 100 MB; the whole picture in RGB
// and its copy took over 500).
TEST_F(ModernFormats, AHugeAvifIsReducedAsItIsConverted)
{
    if (std::system("command -v avifenc >/dev/null") != 0)
        GTEST_SKIP() << "avifenc is missing (scripts/install-deps installs libavif-bin)";
    constexpr int kSide = 8192;
    std::vector<uint8_t> flat(static_cast<size_t>(kSide) * kSide * 3);
    for (size_t i = 0; i < flat.size(); i += 3)
        flat[i] = 48, flat[i + 1] = 96, flat[i + 2] = 160;
    const std::string png = Put("flat.png", fixtures::EncodePng(flat, kSide, kSide));
    flat = {};
    const std::string avif = (dir_ / "flat.avif").string();
    ASSERT_EQ(std::system(("avifenc -s 10 -j 2 '" + png + "' '" + avif + "' >/dev/null 2>&1").c_str()), 0);
    EXPECT_TRUE(fixtures::WithinAddressSpace(uint64_t{400} << 20, [&] {
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        image.SetScaleHint({1280, 1024, true, ScreenFit::Fill});
        if (!image.SetImageName(avif).Ok())
            return false;
        const RgbQuad p = image.Picture().PixelAt(640, 512);
        return image.Picture().Width == 1280 && image.Picture().Height == 1024 && std::abs(p.Red - 48) <= 2 &&
               std::abs(p.Green - 96) <= 2 && std::abs(p.Blue - 160) <= 2;
    }));
}

// A 4:2:0 AVIF taller than the bands it is converted in is shown exactly as
// avifdec shows it: no seam where two bands meet (the colour planes are
// upsampled across them).
TEST_F(ModernFormats, AvifConvertedInBandsHasNoSeams)
{
    if (std::system("command -v avifenc >/dev/null && command -v avifdec >/dev/null") != 0)
        GTEST_SKIP() << "avifenc and avifdec are missing (scripts/install-deps installs libavif-bin)";
    const int w = 48, h = 300;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rgb.insert(rgb.end(), {static_cast<uint8_t>(y % 2 ? 240 : 20), static_cast<uint8_t>(x * 5),
                                   static_cast<uint8_t>(y * 7)});
    const std::string png = Put("tall.png", fixtures::EncodePng(rgb, w, h));
    const std::string avif = (dir_ / "tall.avif").string();
    ASSERT_EQ(std::system(("avifenc -s 10 -y 420 '" + png + "' '" + avif + "' >/dev/null 2>&1").c_str()), 0);
    const std::string shown = avif + "-avifdec.png";
    ASSERT_EQ(std::system(("avifdec -d 8 '" + avif + "' '" + shown + "' >/dev/null 2>&1").c_str()), 0);
    const ImageRead reference = DecodePngFile(shown);
    ASSERT_TRUE(reference.Ok());
    TPMultiImage image;
    image.ImageReadRes = lColorTrue;
    ASSERT_TRUE(image.SetImageName(avif).Ok());
    EXPECT_EQ(Psnr(image.Picture(), RgbOf(reference.Picture), w, h), INFINITY);
}
