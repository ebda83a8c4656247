// SPDX-License-Identifier: GPL-3.0-or-later
// Telling a file's format by its bytes: every format's signature, cut short,
// and look-alikes that are no picture; then real files under wrong names.
#include "files_in_temp_dir.h"
#include "image/image_format.h"
#include "image/multi_image.h"
#include "image_fixtures.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A file type box: its size, "ftyp", the major brand, a version, then the
// compatible brands.
Bytes Ftyp(std::string_view major, std::string_view compatible)
{
    const auto size = static_cast<char>(16 + compatible.size());
    return Cat(B(std::string("\0\0\0", 3) + size + "ftyp"),
               B(std::string(major) + std::string(4, '\0') + std::string(compatible)));
}

// The kind of a format found, empty for none.
std::string_view KindOf(const ImageFormat* format)
{
    return format ? format->Kind : "";
}

Bytes PhotoCdHead()
{
    Bytes b(0x900, 0xFF);
    const Bytes sig = B("PCD_IPI");
    std::copy(sig.begin(), sig.end(), b.begin() + 0x800);
    return b;
}

}  // namespace

TEST(ImageFormat, SignaturesAndLookAlikes)
{
    using namespace std::string_view_literals;
    constexpr uint64_t kLarge = 1 << 20;
    struct Case {
        const char* what;
        Bytes head;
        uint64_t size;
        std::string_view kind;
    };
    const Case cases[] = {
        {"jpeg", B("\xFF\xD8\xFF\xE0\0\x10JFIF"sv), kLarge, "JPEG"},
        {"jpeg cut short", B("\xFF\xD8"), kLarge, ""},
        {"png", B("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"sv), kLarge, "PNG"},
        {"png cut short", B("\x89PNG\r\n\x1A"), kLarge, ""},
        {"gif 87a", B("GIF87a"), kLarge, "GIF"},
        {"gif 89a", B("GIF89a\x10\0"sv), kLarge, "GIF"},
        {"no gif version", B("GIF90a"), kLarge, ""},
        {"tiff little-endian", B("II*\0\x08\0\0\0"sv), kLarge, "TIFF"},
        {"tiff big-endian", B("MM\0*\0\0\0\x08"sv), kLarge, "TIFF"},
        {"big tiff", B("II+\0\x08\0\0\0"sv), kLarge, "TIFF"},
        {"tiff cut short", B("II*"), kLarge, ""},
        {"bitmap", Cat(B("BM"), B("\0\0\0\0\0\0\0\0\0\0\0\0\x28\0\0\0"sv)), kLarge, "BMP"},
        {"os/2 bitmap", Cat(B("BM"), B("\0\0\0\0\0\0\0\0\0\0\0\0\x0C\0\0\0"sv)), kLarge, "BMP"},
        {"text starting BM", B("BMW owners' manual, 3rd edition"), kLarge, ""},
        {"webp", B("RIFF\x24\0\0\0WEBPVP8L"sv), kLarge, "WebP"},
        {"riff wave", B("RIFF\x24\0\0\0WAVEfmt "sv), kLarge, ""},
        {"heic", Ftyp("heic", "mif1heic"), kLarge, "HEIF"},
        {"heif generic", Ftyp("mif1", "mif1"), kLarge, "HEIF"},
        {"avif", Ftyp("avif", "mif1avif"), kLarge, "AVIF"},
        {"avif behind mif1", Ftyp("mif1", "mif1miafavif"), kLarge, "AVIF"},
        {"avif sequence", Ftyp("avis", "avis"), kLarge, "AVIF"},
        {"mp4 video", Ftyp("isom", "isomavc1mp41"), kLarge, ""},
        {"brands past the box",
         Cat(B("\0\0\0\x10"
               "ftypmp42\0\0\0\0"sv),
             B("heic")),
         kLarge, ""},
        {"jxl codestream", B("\xFF\x0A\xFA\x7F"sv), kLarge, "JPEG XL"},
        {"jxl container",
         B("\0\0\0\x0CJXL \r\n\x87\n\0\0\0\x14"
           "ftypjxl "sv),
         kLarge, "JPEG XL"},
        {"jxl container cut short", B("\0\0\0\x0CJXL \r\n"sv), kLarge, ""},
        {"photo cd", PhotoCdHead(), 0x30000 + 768 * 512 * 3 / 2, "Photo CD"},
        {"photo cd too short for its picture", PhotoCdHead(), 0x30000, ""},
        {"empty", {}, 0, ""},
        {"head past the file's end", B("\xFF\xD8\xFF\xE0"), 2, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KindOf(SniffImageFormat(c.head, c.size)), c.kind) << c.what;
}

TEST(ImageFormat, NamesInEveryCommonSpelling)
{
    struct Case {
        const char* name;
        std::string_view kind;
    };
    for (const Case& c :
         {Case{"a.JPG", "JPEG"}, Case{"a.jpeg", "JPEG"}, Case{"a.Jpe", "JPEG"}, Case{"a.JFIF", "JPEG"},
          Case{"a.TIFF", "TIFF"}, Case{"a.heics", "HEIF"}, Case{"a.AVIFS", "AVIF"}, Case{"x.y.pcd", "Photo CD"},
          Case{"/dir.jpg/file", ""}, Case{"a.jpg.txt", ""}, Case{"jpg", ""}, Case{"a.", ""}})
        EXPECT_EQ(KindOf(FormatOfName(c.name)), c.kind) << c.name;
}

class PicturesUnderWrongNames : public FilesInTempDir {
protected:
    PicturesUnderWrongNames() : FilesInTempDir("kind") {}
};

// Each format's file saved under another format's name is read for what it
// is; bytes that are no picture keep the message of the name they carry.
TEST_F(PicturesUnderWrongNames, AreReadByTheirBytes)
{
    const auto rgb = fixtures::PhotoRgb(24, 16);
    struct Case {
        const char* name;
        Bytes bytes;
        const char* message;  // empty: read
    };
    const Case cases[] = {
        {"jpeg.png", fixtures::EncodeJpeg(rgb, 24, 16), ""},
        {"png.jpg", fixtures::EncodePng(rgb, 24, 16), ""},
        {"webp.heic", fixtures::EncodeWebp(rgb, 24, 16, true), ""},
        {"heic.webp", fixtures::EncodeHeif(rgb, 24, 16, false), ""},
        {"jxl.tif", fixtures::EncodeJxl(rgb, 24, 16, true), ""},
        {"jpeg.jpeg", fixtures::EncodeJpeg(rgb, 24, 16), ""},
        {"jpeg.JFIF", fixtures::EncodeJpeg(rgb, 24, 16), ""},
        {"text.jpe", B("not a picture at all, just words"), "このJPGは読み込めません"},
        {"empty.webp", {}, "このWEBPは読み込めません"},
        {"cut.TIFF", B("II*"), "このTIFは読み込めません"},
        {"noise.heics", Bytes(64, 0x5A), "このHEICは読み込めません"},
        {"noise.avifs", Bytes(64, 0x5A), "このAVIFは読み込めません"},
        {"damaged-jpeg.png", Cat(B("\xFF\xD8\xFF\xE0"), Bytes(64, 0)), "このPNGは読み込めません"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.message[0] || !c.bytes.empty()) << c.name << ": its encoder refused";
        TPMultiImage image;
        const ImageResult r = image.SetImageName(Put(c.name, c.bytes));
        EXPECT_EQ(r.Message, c.message) << c.name;
        if (!c.message[0]) {
            EXPECT_EQ(image.Picture().Width, 24) << c.name;
        }
    }
}
