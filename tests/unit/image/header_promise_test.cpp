// SPDX-License-Identifier: GPL-3.0-or-later
// Files whose header promises far more pixels than the file holds are
// refused before the picture is allocated: each is decoded in a child whose
// address space has room for a small picture only.
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/jxl/jxl_decoder.h"
#include "image/formats/png/png_decoder.h"
#include "image/formats/tiff/tiff_decoder.h"
#include "image/formats/webp/webp_decoder.h"
#include "image_fixtures.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <new>

namespace fs = std::filesystem;

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, static_cast<uint16_t>(v));
    Put16(b, static_cast<uint16_t>(v >> 16));
}

// A bitmap header for 8000 x 8000 pixels with `data` bytes after it.
std::vector<uint8_t> HugeBmp(uint16_t bits, uint32_t compression, size_t data)
{
    std::vector<uint8_t> b = {'B', 'M'};
    Put32(b, static_cast<uint32_t>(54 + data));
    Put32(b, 0);
    Put32(b, 54);
    for (uint32_t v : {40u, 8000u, 8000u})
        Put32(b, v);
    Put16(b, 1);
    Put16(b, bits);
    for (uint32_t v : {compression, 0u, 0u, 0u, 0u, 0u})
        Put32(b, v);
    b.resize(54 + data, 0);
    return b;
}

// A grey TIFF of 8000 x 8000 pixels in one strip of 16 bytes.
std::vector<uint8_t> HugeTiff(uint16_t compression)
{
    std::vector<uint8_t> b = {'I', 'I', 42, 0};
    Put32(b, 8);
    const uint16_t entries = 8;
    const uint32_t dataAt = 8 + 2 + entries * 12 + 4;
    Put16(b, entries);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) {
        Put16(b, tag);
        Put16(b, type);
        Put32(b, 1);
        if (type == 3) {
            Put16(b, static_cast<uint16_t>(value));
            Put16(b, 0);
        } else {
            Put32(b, value);
        }
    };
    entry(256, 4, 8000);         // width
    entry(257, 4, 8000);         // height
    entry(258, 3, 8);            // bits per sample
    entry(259, 3, compression);  // compression
    entry(262, 3, 1);            // black is zero
    entry(273, 4, dataAt);       // strip offset
    entry(278, 4, 8000);         // rows per strip
    entry(279, 4, 16);           // strip byte count
    Put32(b, 0);
    b.resize(dataAt + 16, 0x55);
    return b;
}

// A real small JPEG whose frame header is made to say 8000 x 8000.
std::vector<uint8_t> HugeJpeg()
{
    std::vector<uint8_t> b = fixtures::EncodeJpeg(fixtures::PhotoRgb(16, 16), 16, 16);
    for (size_t i = 0; i + 8 < b.size(); ++i) {
        if (b[i] == 0xFF && b[i + 1] == 0xC0) {
            b[i + 5] = 8000 >> 8, b[i + 6] = 8000 & 0xFF, b[i + 7] = 8000 >> 8, b[i + 8] = 8000 & 0xFF;
            break;
        }
    }
    return b;
}

// The newer formats' headers made to say 7000 x 7000: under the pixel limit,
// so only the file's size gives them away.
constexpr uint32_t kLie = 7000;

uint32_t Crc32(const uint8_t* p, size_t n)
{
    uint32_t c = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320 ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

void PutBigEndian(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

std::vector<uint8_t> HugePng()
{
    std::vector<uint8_t> b = fixtures::EncodePng(fixtures::PhotoRgb(16, 16), 16, 16);
    PutBigEndian(b, 16, kLie);  // IHDR's width and height, then its checksum
    PutBigEndian(b, 20, kLie);
    PutBigEndian(b, 29, Crc32(&b[12], 17));
    return b;
}

std::vector<uint8_t> HugeWebp()
{
    std::vector<uint8_t> b = fixtures::EncodeWebp(std::vector<uint8_t>(16 * 16 * 3, 90), 16, 16, true);
    // The lossless header after its signature byte: 14 bits of width - 1, 14
    // of height - 1. Lossless WebP codes a flat picture of any size in a few
    // dozen bytes, so only a size beyond the picture limits is a lie here.
    constexpr uint32_t kLargest = 1 << 14;
    uint32_t v = b[21] | b[22] << 8 | b[23] << 16 | uint32_t{b[24]} << 24;
    v = (v & ~((1u << 28) - 1)) | (kLargest - 1) | (kLargest - 1) << 14;
    for (int i = 0; i < 4; ++i)
        b[21 + i] = static_cast<uint8_t>(v >> (8 * i));
    return b;
}

std::vector<uint8_t> HugeHeif(bool av1)
{
    std::vector<uint8_t> b = fixtures::EncodeHeif(fixtures::PhotoRgb(16, 16), 16, 16, av1);
    for (size_t i = 0; i + 16 < b.size(); ++i) {
        if (std::equal(b.begin() + i, b.begin() + i + 4, "ispe")) {
            PutBigEndian(b, i + 8, kLie);
            PutBigEndian(b, i + 12, kLie);
        }
    }
    return b;
}

// A JPEG XL code stream that ends after its size and default metadata.
std::vector<uint8_t> HugeJxl()
{
    std::vector<uint8_t> b = {0xFF, 0x0A};
    uint64_t bits = 0;
    int used = 0;
    auto put = [&](uint64_t value, int count) {
        bits |= value << used;
        used += count;
    };
    put(0, 1);  // not a small size
    put(1, 2);  // height - 1 in 13 bits
    put(kLie - 1, 13);
    put(1, 3);  // width as high as the height
    put(1, 1);  // every metadata field at its default
    for (int i = 0; i < used; i += 8)
        b.push_back(static_cast<uint8_t>(bits >> i));
    return b;
}

// Runs `decode` in a child that may grow by 64 MB at most: 0 when it refused
// the file, 1 when it decoded it, 2 when it tried to allocate the picture.
int DecodeInSmallChild(const std::function<bool()>& decode)
{
    const pid_t child = ::fork();
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (64u << 20);
        rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        try {
            ::_exit(decode() ? 1 : 0);
        } catch (const std::bad_alloc&) {
            ::_exit(2);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

}  // namespace

TEST(HeaderPromises, TooManyPixelsForTheFileAreRefusedBeforeAllocation)
{
    const fs::path dir = fs::temp_directory_path() / ("zelvaro-promise-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto file = [&](const char* name, const std::vector<uint8_t>& bytes) {
        const std::string path = (dir / name).string();
        fixtures::WriteAll(path, bytes);
        return path;
    };
    const std::string tiffNone = file("none.tif", HugeTiff(1)), tiffDeflate = file("deflate.tif", HugeTiff(8)),
                      jpeg = file("huge.jpg", HugeJpeg()), png = file("huge.png", HugePng()),
                      gif = (dir / "screen.gif").string();
    ASSERT_TRUE(fixtures::WriteGif(gif, 2, 8000, 8000, 0, 0, 4, 4));
    const std::vector<uint8_t> bmp24 = HugeBmp(24, 0, 64), bmpRle = HugeBmp(8, 1, 64 + 1024);
    EXPECT_EQ(bmp24.size(), 118u);

    struct Case {
        const char* what;
        std::function<bool()> decode;
    };
    const Case cases[] = {
        {"118-byte 24-bit BMP", [&] { return DecodeBmp(bmp24).Ok(); }},
        {"RLE8 BMP", [&] { return DecodeBmp(bmpRle).Ok(); }},
        {"uncompressed TIFF", [&] { return DecodeTiffFile(tiffNone).Ok(); }},
        {"deflate TIFF", [&] { return DecodeTiffFile(tiffDeflate).Ok(); }},
        {"JPEG frame", [&] { return DecodeJpegFile(jpeg).Ok(); }},
        {"GIF screen", [&] { return DecodeGifFile(gif).Ok(); }},
        {"PNG header", [&] { return DecodePngFile(png).Ok(); }},
        {"WebP header", [&] { return DecodeWebp(HugeWebp()).Ok(); }},
        {"HEIC size", [&] { return DecodeHeif(HugeHeif(false)).Ok(); }},
        {"AVIF size", [&] { return DecodeHeif(HugeHeif(true)).Ok(); }},
        {"JPEG XL size", [&] { return DecodeJxl(HugeJxl()).Ok(); }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeInSmallChild(c.decode), 0) << c.what;
    // A picture that fits its file still decodes within the same room.
    const std::string small = (dir / "small.gif").string();
    ASSERT_TRUE(fixtures::WriteGif(small, 8, 64, 64, 0, 0, 64, 64));
    EXPECT_EQ(DecodeInSmallChild([&] { return DecodeGifFile(small).Ok(); }), 1);
    fs::remove_all(dir);
}
