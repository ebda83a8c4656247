// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/zelvaro_error.h"
#include "image/formats/photo_cd/photo_cd.h"
#include "image/formats/photo_cd/photo_cd_decoder.h"
#include "image/formats/photo_cd/photo_cd_format.h"
#include "image/multi_image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using Sample = std::function<uint8_t(int pair, int x)>;

// A Photo CD file holding one base picture, made of luma and chroma functions.
std::vector<uint8_t> PcdFile(PcdSize size, const Sample& luma, const Sample& c1, const Sample& c2)
{
    const PcdGeometry g = PcdGeometryFor(size);
    std::vector<uint8_t> f(g.Offset, 0xEE);
    for (int n = 0; n < g.Height / 2; ++n) {
        for (int row = 0; row < 2; ++row)
            for (int x = 0; x < g.Width; ++x)
                f.push_back(luma(2 * n + row, x));
        for (int j = 0; j < g.Width / 2; ++j)
            f.push_back(c1(n, j));
        for (int j = 0; j < g.Width / 2; ++j)
            f.push_back(c2(n, j));
    }
    return f;
}

Sample Constant(uint8_t v)
{
    return [v](int, int) { return v; };
}

DibPicture Decode(const std::vector<uint8_t>& file, PcdSize size, bool cutOff)
{
    PcdMemorySource source(file);
    ImageRead read = DecodePcd(source, size, cutOff);
    if (!read.Ok())
        throw ZelvaroError(read.Reason);
    return std::move(read.Picture);
}

PcdRgb At(const DibPicture& p, int x, int y)
{
    const RgbQuad q = p.PixelAt(x, y);
    return {q.Red, q.Green, q.Blue};
}

class TempDir {
public:
    TempDir() : path_(std::filesystem::temp_directory_path() / ("zelvaro_pcd_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        const std::string p = (path_ / name).string();
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return p;
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace

TEST(PhotoCd, ColourConversionExamples)
{
    EXPECT_EQ(PcdToRgb(0, 156, 137), (PcdRgb{0, 0, 0}));
    EXPECT_EQ(PcdToRgb(94, 156, 137), (PcdRgb{128, 128, 128}));
    EXPECT_EQ(PcdToRgb(100, 156, 137), (PcdRgb{136, 136, 136}));
    EXPECT_EQ(PcdToRgb(188, 156, 137), (PcdRgb{255, 255, 255}));
    EXPECT_EQ(PcdToRgb(255, 255, 255), (PcdRgb{255, 194, 255}));
    EXPECT_EQ(PcdToRgb(0, 0, 0), (PcdRgb{0, 194, 0}));
    EXPECT_EQ(PcdToRgb(128, 0, 255), (PcdRgb{255, 132, 0}));
}

TEST(PhotoCd, OutputSizesWithAndWithoutTrimAndAfterTheBlackTest)
{
    struct Case {
        PcdSize size;
        int full_w, full_h, cut_w, cut_h, black_w;
    };
    for (const Case& c : {Case{pcdTiny, 192, 128, 162, 108, 72}, Case{pcdSmall, 384, 256, 324, 216, 144},
                          Case{pcdMedium, 768, 512, 648, 432, 288}}) {
        const auto grey = PcdFile(c.size, Constant(94), Constant(156), Constant(137));
        DibPicture p = Decode(grey, c.size, false);
        EXPECT_EQ(p.Width, c.full_w);
        EXPECT_EQ(p.Height, c.full_h);
        EXPECT_EQ(At(p, c.full_w - 1, c.full_h - 1), (PcdRgb{128, 128, 128}));
        p = Decode(grey, c.size, true);
        EXPECT_EQ(p.Width, c.cut_w);
        EXPECT_EQ(p.Height, c.cut_h);
        EXPECT_EQ(At(p, 0, 0), (PcdRgb{128, 128, 128}));  // the trim leaves no black edge
        EXPECT_EQ(At(p, c.cut_w - 1, c.cut_h - 1), (PcdRgb{128, 128, 128}));
        const auto black = PcdFile(c.size, Constant(0), Constant(156), Constant(137));
        p = Decode(black, c.size, true);
        EXPECT_EQ(p.Width, c.black_w);
        EXPECT_EQ(p.Height, c.cut_h);
    }
}

TEST(PhotoCd, TrimSkipsTopRowsAndOneBlackTestPixelKeepsTheWidth)
{
    // Luma by picture row: the first output row is file row 10 d.
    const auto rows = PcdFile(
        pcdTiny, [](int y, int) { return static_cast<uint8_t>(y); }, Constant(156), Constant(137));
    DibPicture p = Decode(rows, pcdTiny, true);
    EXPECT_EQ(At(p, 5, 0), PcdToRgb(10, 156, 137));
    EXPECT_EQ(At(p, 5, 107), PcdToRgb(117, 156, 137));
    // Black except the pixel tested at (150, 100): no wider crop.
    const auto almost = PcdFile(
        pcdTiny, [](int y, int x) { return static_cast<uint8_t>(x == 150 && y == 110 ? 94 : 0); }, Constant(156),
        Constant(137));
    EXPECT_EQ(Decode(almost, pcdTiny, true).Width, 162);
}

TEST(PhotoCd, ChromaInterpolationAndTheEdgeNeighbours)
{
    // Chroma varies by column and pair so every neighbour is distinct.
    const Sample c1 = [](int n, int j) { return static_cast<uint8_t>(100 + j % 50 + 3 * (n % 20)); };
    const Sample c2 = [](int n, int j) { return static_cast<uint8_t>(90 + (j * 7) % 60 + 2 * (n % 25)); };
    const Sample y = Constant(120);
    const auto file = PcdFile(pcdTiny, y, c1, c2);
    const DibPicture p = Decode(file, pcdTiny, false);
    // Inside: the four pixels of block (pair 3, column 10).
    const int n = 3, j = 10;
    const int c = c1(n, j), k = c2(n, j);
    const int r1 = c1(n, j + 1), r2 = c2(n, j + 1), b1 = c1(n + 1, j), b2 = c2(n + 1, j);
    const int d1 = c1(n + 1, j + 1), d2 = c2(n + 1, j + 1);
    EXPECT_EQ(At(p, 2 * j, 2 * n), PcdToRgb(120, c, k));
    EXPECT_EQ(At(p, 2 * j + 1, 2 * n), PcdToRgb(120, (c + r1) / 2, (k + r2) / 2));
    EXPECT_EQ(At(p, 2 * j, 2 * n + 1), PcdToRgb(120, (c + b1) / 2, (k + b2) / 2));
    EXPECT_EQ(At(p, 2 * j + 1, 2 * n + 1), PcdToRgb(120, (c + r1 + b1 + d1) / 4, (k + r2 + b2 + d2) / 4));

    // Last column: right neighbours are the block's own, the diagonal the below ones.
    const int lj = 95;
    const int lc = c1(n, lj), lk = c2(n, lj), lb1 = c1(n + 1, lj), lb2 = c2(n + 1, lj);
    EXPECT_EQ(At(p, 191, 2 * n), PcdToRgb(120, lc, lk));
    EXPECT_EQ(At(p, 191, 2 * n + 1), PcdToRgb(120, (lc + lc + lb1 + lb1) / 4, (lk + lk + lb2 + lb2) / 4));
    // Last pair: below neighbours are the block's own, the diagonal the right ones.
    const int ln = 63;
    const int pc = c1(ln, j), pk = c2(ln, j), pr1 = c1(ln, j + 1), pr2 = c2(ln, j + 1);
    EXPECT_EQ(At(p, 2 * j, 127), PcdToRgb(120, pc, pk));
    EXPECT_EQ(At(p, 2 * j + 1, 127), PcdToRgb(120, (pc + pr1 + pc + pr1) / 4, (pk + pr2 + pk + pr2) / 4));
    // Both: everything is the block's own chroma.
    EXPECT_EQ(At(p, 191, 127), PcdToRgb(120, c1(ln, lj), c2(ln, lj)));
}

TEST(PhotoCd, ReadsInBlocksOfEightRowPairsAndRaisesOnShortData)
{
    struct Counting : PcdMemorySource {
        using PcdMemorySource::PcdMemorySource;
        std::vector<size_t> reads;
        bool Read(uint8_t* b, size_t n) override
        {
            reads.push_back(n);
            return PcdMemorySource::Read(b, n);
        }
    };
    const auto file = PcdFile(pcdMedium, Constant(94), Constant(156), Constant(137));
    Counting source(file);
    DecodePcd(source, pcdMedium, true);
    ASSERT_FALSE(source.reads.empty());
    EXPECT_EQ(source.reads.front(), 2304u);
    EXPECT_EQ(source.reads[1], 7u * 2304);
    EXPECT_EQ(source.reads.size(), 1u + 31);  // 217 pairs: 1 + 31 x 7

    // Without the trim nothing past the picture is needed: a file ending
    // right after the last pair reads whole.
    EXPECT_NO_THROW(Decode(file, pcdMedium, false));
    auto cut = file;
    cut.resize(cut.size() - 1);
    EXPECT_THROW(Decode(cut, pcdMedium, false), ZelvaroError);
    cut.resize(0x30000 + 1000);
    EXPECT_THROW(Decode(cut, pcdMedium, true), ZelvaroError);
    cut.resize(100);
    EXPECT_THROW(Decode(cut, pcdTiny, false), ZelvaroError);
}

TEST(PhotoCd, ReaderNamesErrorsAndRereads)
{
    TempDir dir;
    TPcd pcd;
    EXPECT_EQ(pcd.PictureSize(), pcdMedium);
    EXPECT_FALSE(pcd.CutOff());
    // A name longer than 80 characters is read as given.
    const std::string longName = std::string(90, 'a') + ".PCD";
    const std::string path = dir.Write(longName, PcdFile(pcdMedium, Constant(94), Constant(156), Constant(137)));
    EXPECT_TRUE(pcd.SetPictureName(path));
    EXPECT_EQ(pcd.PictureName(), path);
    EXPECT_EQ(pcd.Picture().Width, 768);
    pcd.SetCutOff(true);  // re-reads
    EXPECT_EQ(pcd.Picture().Width, 648);
    pcd.SetPictureSize(pcdTiny);  // re-reads at 0x2000, which holds 0xEE filler: not black
    EXPECT_EQ(pcd.Picture().Width, 162);

    // A missing file: error flag, the previous picture kept, no message.
    EXPECT_FALSE(pcd.SetPictureName(dir.Path("none.pcd")));
    EXPECT_TRUE(pcd.Error());
    std::filesystem::create_directories(dir.Path("dir.pcd"));
    EXPECT_FALSE(pcd.SetPictureName(dir.Path("dir.pcd")));
    EXPECT_TRUE(pcd.Error());
    EXPECT_EQ(pcd.Picture().Width, 162);
    EXPECT_TRUE(pcd.Message().empty());

    // A short file raises and keeps the picture; the error flag stays clear.
    const std::string shortPath = dir.Write("short.pcd", std::vector<uint8_t>(5000, 1));
    EXPECT_THROW(pcd.SetPictureName(shortPath), ZelvaroError);
    EXPECT_FALSE(pcd.Error());
    EXPECT_EQ(pcd.Picture().Width, 162);

    // An empty name: empty picture, error flag and the message.
    EXPECT_FALSE(pcd.SetPictureName(""));
    EXPECT_TRUE(pcd.Error());
    EXPECT_TRUE(pcd.Picture().Empty());
    EXPECT_EQ(pcd.Message(), "PCD:Picture name not set");
    EXPECT_TRUE(pcd.SetPictureName(path));
    EXPECT_FALSE(pcd.Error());
    EXPECT_TRUE(pcd.Message().empty());
}

// The image component reads Photo CD files through the format table as the
// Photo CD reader does: its border trimmed when asked, a file cut short
// failed with the reader's words and no box of its own.
TEST(PhotoCd, ReadByTheImageComponent)
{
    TempDir dir;
    const std::string path = dir.Write("a.pcd", PcdFile(pcdMedium, Constant(94), Constant(156), Constant(137)));
    TPMultiImage image;
    for (const bool cutOff : {false, true}) {
        image.PhotoCdCutOff = cutOff;
        ASSERT_TRUE(image.SetImageName(path).Ok());
        EXPECT_EQ(image.Picture().Width, cutOff ? 648 : 768);
        EXPECT_EQ(image.ImageBitCount(), 24);
        EXPECT_EQ(image.ReadFormat(), &kPhotoCdFormat);
    }
    const ImageResult cut = image.SetImageName(dir.Write("short.pcd", std::vector<uint8_t>(5000, 1)));
    EXPECT_EQ(cut.Status, ImageStatus::Failed);
    EXPECT_EQ(cut.Message, "");
    EXPECT_EQ(cut.Reason, kPcdReadError);
    EXPECT_EQ(image.ReadFormat(), nullptr);
    EXPECT_EQ(image.SetImageName(dir.Path("none.pcd")).Status, ImageStatus::Missing);
}
