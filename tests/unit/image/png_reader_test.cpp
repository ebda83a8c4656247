// SPDX-License-Identifier: GPL-3.0-or-later
// PNG files of every colour type and depth read the same whether their image
// data is inflated ahead on a second thread (one pass, rows in order) or
// streamed through libpng (an interlaced file, which always is); damaged
// image data is refused as libpng refuses it, and never leaves the reader
// waiting. A hint reduces the rows as they are read.
#include "files_in_temp_dir.h"
#include "image/fit/screen_fit.h"
#include "image/formats/png/inflated_png_stream.h"
#include "image/formats/png/png_decoder.h"
#include "image/multi_image.h"
#include "image_fixtures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct PngKind {
    int colourType;
    int depth;
    bool transparentColour = false;  // a tRNS chunk
};

void AppendBytes(png_structp png, png_bytep data, size_t size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

// A PNG written by libpng, in image data chunks of 1 KB, with samples made
// from the photo-like pattern.
std::vector<uint8_t> EncodeKind(const PngKind& kind, int w, int h, bool interlaced)
{
    const int channels = kind.colourType == 2 ? 3 : kind.colourType == 4 ? 2 : kind.colourType == 6 ? 4 : 1;
    const size_t rowBytes = (size_t(w) * channels * kind.depth + 7) / 8;
    const std::vector<uint8_t> rgb = fixtures::PhotoRgb(w * channels * 2, h);
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    png_set_compression_buffer_size(png, 1024);
    png_set_IHDR(png, info, w, h, kind.depth, kind.colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < 1 << kind.depth; ++i)
            palette.push_back({uint8_t(i * 37), uint8_t(255 - i * 11), uint8_t(i * 101)});
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (kind.transparentColour) {
        const png_byte alpha[2] = {0, 128};
        png_set_tRNS(png, info, alpha, 2, nullptr);
    }
    png_write_info(png, info);
    std::vector<uint8_t> rows(rowBytes * h);
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < h; ++y) {
        std::copy_n(rgb.begin() + static_cast<long>(size_t(y) * w * channels * 6), rowBytes,
                    rows.begin() + static_cast<long>(y * rowBytes));
        rowPointers.push_back(&rows[y * rowBytes]);
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

uint32_t Be32(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Where the chunks of a type start (their length field).
std::vector<size_t> Chunks(const std::vector<uint8_t>& file, const char* type)
{
    std::vector<size_t> found;
    for (size_t at = 8; at + 12 <= file.size(); at += 12 + Be32(&file[at])) {
        if (std::memcmp(&file[at + 4], type, 4) == 0)
            found.push_back(at);
    }
    return found;
}

void FixCrc(std::vector<uint8_t>& file, size_t chunk)
{
    const uint32_t length = Be32(&file[chunk]);
    const auto crc = static_cast<uint32_t>(crc32(0, &file[chunk + 4], length + 4));
    for (int i = 0; i < 4; ++i)
        file[chunk + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
}

class PngReader : public FilesInTempDir {
protected:
    PngReader() : FilesInTempDir("png") {}
    bool InflatesAhead(const std::string& path)
    {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        InflatedPngStream stream;
        const bool ahead = stream.Prepare(f, fs::file_size(path));
        std::fclose(f);
        return ahead;
    }
};

}  // namespace

TEST_F(PngReader, EveryKindReadsAsItsInterlacedTwin)
{
    // Wide enough that the rows span several stored blocks and steps of the
    // inflating thread, odd so that packed rows end mid-byte.
    const int w = 301, h = 97;
    const PngKind kinds[] = {{0, 1}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 2}, {3, 8, true}, {4, 8}, {6, 8}, {6, 16}};
    for (const PngKind& kind : kinds) {
        SCOPED_TRACE(testing::Message() << "colour type " << kind.colourType << ", depth " << kind.depth);
        const std::string plain = Put("plain.png", EncodeKind(kind, w, h, false));
        const std::string interlaced = Put("interlaced.png", EncodeKind(kind, w, h, true));
        ASSERT_GT(Chunks(fixtures::ReadAll(plain), "IDAT").size(), 2u);
        if (std::thread::hardware_concurrency() >= 2) {
            EXPECT_TRUE(InflatesAhead(plain));
        }
        EXPECT_FALSE(InflatesAhead(interlaced));
        const ImageRead ahead = DecodePngFile(plain);
        const ImageRead streamed = DecodePngFile(interlaced);
        ASSERT_TRUE(ahead.Ok());
        ASSERT_TRUE(streamed.Ok());
        ASSERT_EQ(ahead.Picture.Width, w);
        ASSERT_EQ(ahead.Picture.Height, h);
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(ahead.Picture.TopRow(y), streamed.Picture.TopRow(y), size_t(w) * 3))
                << "row " << y;
    }
}

TEST_F(PngReader, DamagedImageDataIsRefusedAndDataBeyondTheRowsIsNot)
{
    const int w = 301, h = 97;
    const std::vector<uint8_t> good = EncodeKind({2, 8}, w, h, false);
    const std::vector<size_t> idat = Chunks(good, "IDAT");
    const size_t ihdr = 8;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        int rows;  // 0: refused
    };
    const Case cases[] = {
        {"a wrong check sum on sound image data", [&](auto& f) { f[idat[1] + 8 + Be32(&f[idat[1]])] ^= 1; }, 0},
        {"image data that does not inflate",
         [&](auto& f) {
             std::fill_n(f.begin() + static_cast<long>(idat[1] + 8), 64, 0xff);
             FixCrc(f, idat[1]);
         },
         0},
        {"a header promising more rows than the data holds",
         [&](auto& f) {
             f[ihdr + 8 + 7] = h + 5;
             FixCrc(f, ihdr);
         },
         0},
        {"a header promising fewer rows than the data holds",
         [&](auto& f) {
             f[ihdr + 8 + 7] = h - 5;
             FixCrc(f, ihdr);
         },
         h - 5},
    };
    const ImageRead whole = DecodePngFile(Put("good.png", good));
    ASSERT_TRUE(whole.Ok());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> file = good;
        c.damage(file);
        const ImageRead read = DecodePngFile(Put("damaged.png", file));
        if (c.rows == 0) {
            EXPECT_FALSE(read.Ok());
            continue;
        }
        ASSERT_TRUE(read.Ok());
        ASSERT_EQ(read.Picture.Height, c.rows);
        for (int y = 0; y < c.rows; ++y)
            ASSERT_EQ(0, std::memcmp(read.Picture.TopRow(y), whole.Picture.TopRow(y), size_t(w) * 3)) << "row " << y;
    }
}

namespace {

// A large PNG written a row at a time, so the test never holds it whole:
// bands of colour that change along both axes.
void WriteLargePng(const std::string& path, int w, int h)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!f || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (f)
            std::fclose(f);
        return;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            row[size_t(x) * 3] = uint8_t(x * 256 / w), row[size_t(x) * 3 + 1] = uint8_t(y * 256 / h),
                            row[size_t(x) * 3 + 2] = 90;
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

// The resident memory now and its peak since the peak was last reset, in bytes.
int64_t StatusBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::strlen(field))) * 1024;
    return -1;
}

}  // namespace

// A picture far larger than it is shown is reduced as its rows are read, and
// comes out as the whole picture reduced would: a preview of an 8000 x 8000
// photo holds a few rows of it, never the whole.
TEST_F(PngReader, AHintReducesTheRowsAsTheyAreRead)
{
    const int w = 301, h = 97;
    const std::string small = Put("small.png", EncodeKind({2, 8}, w, h, false));
    const ImageRead whole = DecodePngFile(small);
    ASSERT_TRUE(whole.Ok());
    struct Case {
        ScaleHint hint;
        int width, height;
    };
    for (const Case& c : {Case{{100, 100, false}, 100, 33}, Case{{100, 40, true}, 125, 40},
                          Case{{60, 50, true, ScreenFit::Fill}, 60, 50}, Case{{400, 400, false}, w, h}}) {
        SCOPED_TRACE(testing::Message() << c.hint.Width << " x " << c.hint.Height);
        const ImageRead reduced = DecodePngFile(small, c.hint);
        ASSERT_TRUE(reduced.Ok());
        EXPECT_EQ(reduced.Picture.Width, c.width);
        EXPECT_EQ(reduced.Picture.Height, c.height);
        DibPicture expected;
        ASSERT_TRUE(FitToScreen(whole.Picture, c.hint.Fit.value_or(ScreenFit::Stretch), c.width, c.height, expected));
        for (int y = 0; y < c.height; ++y)
            ASSERT_EQ(0, std::memcmp(reduced.Picture.TopRow(y), expected.TopRow(y), size_t(c.width) * 3)) << y;
    }

    const std::string large = (dir_ / "large.png").string();
    WriteLargePng(large, 8000, 8000);
    // The peak is measured from here: the kernel resets it on request.
    std::ofstream("/proc/self/clear_refs") << "5";
    const int64_t before = StatusBytes("VmRSS:");
    TPMultiImage preview;
    preview.SetScaleHint({165, 129, false});
    ASSERT_TRUE(preview.SetImageName(large).Ok());
    const int64_t peak = StatusBytes("VmHWM:");
    EXPECT_EQ(preview.Picture().Width, 129);
    ASSERT_GT(before, 0);
    EXPECT_LT(peak - before, int64_t{40} << 20);
}
