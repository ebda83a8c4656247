// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures tagged with their colours come back in sRGB: each file is made by
// its format's own encoder with a known profile or tag, and every patch of
// colour is compared with what Little CMS's own transicc makes of the same
// numbers. Untagged pictures, and those whose profile is damaged, stay as
// they are.
#include "files_in_temp_dir.h"
#include "image/colour/colour_management.h"
#include "image/fit/screen_fit.h"
#include "image/multi_image.h"
#include "image_fixtures.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>
#include <lcms2.h>
#include <malloc.h>
#include <turbojpeg.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own call (GCC ships no header for it): gives freed memory back.
extern "C" void __sanitizer_purge_allocator();
#endif

namespace {

using Bytes = std::vector<uint8_t>;
using Rgb = std::array<double, 3>;

// Colours inside every gamut used here, so no conversion clips them.
constexpr std::array<std::array<uint8_t, 3>, 4> kPatches{
    {{200, 60, 90}, {70, 160, 80}, {40, 70, 190}, {128, 128, 128}}};
constexpr int kSide = 16;  // each patch a square of this side, side by side

Bytes PatchesRgb()
{
    Bytes rgb;
    for (int y = 0; y < kSide; ++y)
        for (const auto& p : kPatches)
            for (int x = 0; x < kSide; ++x)
                rgb.insert(rgb.end(), p.begin(), p.end());
    return rgb;
}

// The profile's bytes; the profile is closed.
Bytes Saved(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    Bytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// An RGB profile of the given primaries (white D65) and curve, with a
// private tag of `padding` bytes.
Bytes RgbProfile(const cmsCIExyYTRIPLE& primaries, cmsToneCurve* curve, size_t padding = 0)
{
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsFreeToneCurve(curve);
    if (padding > 0) {
        const Bytes zeros(padding);
        cmsWriteRawTag(profile, static_cast<cmsTagSignature>(0x7A6C7672), zeros.data(),
                       static_cast<cmsUInt32Number>(padding));
    }
    return Saved(profile);
}

Bytes DisplayP3(size_t padding = 0)
{
    const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return RgbProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                      cmsBuildParametricToneCurve(nullptr, 4, srgb), padding);
}

Bytes AdobeRgb()
{
    return RgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 563.0 / 256));
}

Bytes LinearSrgb()
{
    return RgbProfile({{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 1.0));
}

Bytes GreyProfile()
{
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return Saved(profile);
}

// sRGB's primaries with a curve that makes every number one.
Bytes GammaZero()
{
    return RgbProfile({{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}}, cmsBuildGamma(nullptr, 0.0));
}

// A parametric curve whose numbers have no power (a negative base).
Bytes NoNumbersCurve()
{
    const cmsFloat64Number params[5] = {2.4, -1, 0, 0, 0};
    return RgbProfile({{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}},
                      cmsBuildParametricToneCurve(nullptr, 4, params));
}

Bytes ZeroPrimaries()
{
    cmsHPROFILE profile = cmsCreate_sRGBProfile();
    const cmsCIEXYZ zero{0, 0, 0};
    for (cmsTagSignature tag : {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag})
        cmsWriteTag(profile, tag, &zero);
    return Saved(profile);
}

// The JPEG with the profile in APP2 segments after its start, as many as it
// takes (a segment holds less than 64 KB).
Bytes JpegWithProfile(const Bytes& jpeg, const Bytes& icc)
{
    const std::string tag("ICC_PROFILE");
    constexpr size_t kPerSegment = 65000;
    const size_t count = (icc.size() + kPerSegment - 1) / kPerSegment;
    std::string segments;
    for (size_t i = 0; i < count; ++i) {
        const size_t from = i * kPerSegment, n = std::min(kPerSegment, icc.size() - from);
        const size_t length = 2 + tag.size() + 3 + n;
        segments += "\xFF\xE2";
        segments += static_cast<char>(length >> 8);
        segments += static_cast<char>(length & 0xFF);
        segments += tag;
        segments += '\0';
        segments += static_cast<char>(i + 1);
        segments += static_cast<char>(count);
        segments.append(icc.begin() + static_cast<std::ptrdiff_t>(from),
                        icc.begin() + static_cast<std::ptrdiff_t>(from + n));
    }
    Bytes out(jpeg.size() + segments.size());
    std::copy_n(jpeg.begin(), 2, out.begin());
    std::copy(segments.begin(), segments.end(), out.begin() + 2);
    std::copy(jpeg.begin() + 2, jpeg.end(), out.begin() + 2 + static_cast<std::ptrdiff_t>(segments.size()));
    return out;
}

Bytes IccpChunk(const Bytes& icc)
{
    uLongf size = compressBound(static_cast<uLong>(icc.size()));
    Bytes packed(size);
    compress(packed.data(), &size, icc.data(), static_cast<uLong>(icc.size()));
    // A name, its end, the compression method, then the profile deflated.
    Bytes data(4 + size, 0);
    data[0] = 'P', data[1] = '3';
    std::copy_n(packed.begin(), size, data.begin() + 4);
    return data;
}

// sRGB's chromaticities as a cHRM chunk holds them (times 100000).
Bytes SrgbChrm()
{
    Bytes data;
    for (uint32_t v : {31270u, 32900u, 64000u, 33000u, 30000u, 60000u, 15000u, 6000u})
        for (int shift = 24; shift >= 0; shift -= 8)
            data.push_back(static_cast<uint8_t>(v >> shift));
    return data;
}

// The PNG without the colour chunks libpng's simple writer adds (sRGB, gAMA,
// cHRM): untagged.
Bytes Untagged(const Bytes& png)
{
    Bytes out(png.begin(), png.begin() + 8);
    for (size_t at = 8; at + 12 <= png.size();) {
        const size_t length = size_t{png[at]} << 24 | size_t{png[at + 1]} << 16 | size_t{png[at + 2]} << 8 |
                              png[at + 3];
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        const size_t end = std::min(png.size(), at + 12 + length);
        if (type != "sRGB" && type != "gAMA" && type != "cHRM")
            out.insert(out.end(), png.begin() + static_cast<std::ptrdiff_t>(at),
                       png.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    return out;
}

// What transicc makes of the colours (one line of numbers each, as transicc
// takes them for the profile's space) with the profile in `iccPath`; the
// numbers go through the file `in`.
std::vector<Rgb> Transicc(const std::string& iccPath, const std::vector<std::vector<double>>& colours,
                          const std::string& in)
{
    std::ostringstream input;
    for (const auto& c : colours) {
        for (double v : c)
            input << v << ' ';
        input << '\n';
    }
    std::ofstream(in) << input.str();
    const std::string command = "transicc '-i" + iccPath + "' '-o*sRGB' -t0 -n -s < '" + in + "' 2>/dev/null";
    std::vector<Rgb> out;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        Rgb c;
        while (std::fscanf(p, "%lf %lf %lf", &c[0], &c[1], &c[2]) == 3)
            out.push_back(c);
        ::pclose(p);
    }
    return out;
}

// The same for RGB colours, with a profile in the test's folder.
std::vector<Rgb> Transicc(const std::string& iccPath, const std::vector<Rgb>& colours)
{
    std::vector<std::vector<double>> lines;
    for (const Rgb& c : colours)
        lines.push_back({c.begin(), c.end()});
    return Transicc(iccPath, lines, iccPath + ".in");
}

// The colour difference (CIE 1976) of two sRGB colours.
double DeltaE(const Rgb& a, const Rgb& b)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile(), lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM t = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_PERCEPTUAL, 0);
    const Rgb a1{a[0] / 255, a[1] / 255, a[2] / 255}, b1{b[0] / 255, b[1] / 255, b[2] / 255};
    cmsCIELab la, lb;
    cmsDoTransform(t, a1.data(), &la, 1);
    cmsDoTransform(t, b1.data(), &lb, 1);
    cmsDeleteTransform(t);
    cmsCloseProfile(srgb);
    cmsCloseProfile(lab);
    return cmsDeltaE(&la, &lb);
}

// The middle of each patch as read, at whatever size it was read.
std::vector<Rgb> PatchColours(const DibPicture& p)
{
    std::vector<Rgb> out;
    const int side = p.Width / static_cast<int>(kPatches.size());
    for (size_t i = 0; i < kPatches.size(); ++i) {
        const RgbQuad q = p.PixelAt(static_cast<int>(i) * side + side / 2, p.Height / 2);
        out.push_back({double(q.Red), double(q.Green), double(q.Blue)});
    }
    return out;
}

class ColourManagement : public FilesInTempDir {
protected:
    ColourManagement() : FilesInTempDir("colour") {}

    std::vector<Rgb> Read(const std::string& name, const Bytes& bytes, const ScaleHint& hint = {})
    {
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        image.SetScaleHint(hint);
        EXPECT_TRUE(image.SetImageName(Put(name, bytes)).Ok()) << name;
        return PatchColours(image.Picture());
    }
};

}  // namespace

TEST_F(ColourManagement, TaggedPicturesMatchLittleCmsOwnConversion)
{
    const Bytes rgb = PatchesRgb();
    const int w = kSide * static_cast<int>(kPatches.size()), h = kSide;
    const Bytes p3 = DisplayP3(), adobe = AdobeRgb();
    const Bytes png = Untagged(fixtures::EncodePng(rgb, w, h)), jpeg = fixtures::EncodeJpeg(rgb, w, h, false, 100);
    const Bytes webp = fixtures::EncodeWebp(rgb, w, h, true);
    Bytes gamma1{0, 1, 0x86, 0xA0};  // gAMA 100000: linear light
    struct Case {
        const char* name;
        Bytes file;
        Bytes profile;   // what transicc is given for the same numbers
        Bytes untagged;  // the same picture without its tag: the numbers the conversion starts from
        ScaleHint hint;  // read at the size a screen asks for
    };
    const Case cases[] = {
        {"p3.png", fixtures::PngWithChunk(png, "iCCP", IccpChunk(p3)), p3, png},
        {"adobe.jpg", JpegWithProfile(jpeg, adobe), adobe, jpeg},
        // Reduced to fill a screen as it is decoded, converted row by row.
        {"p3-filled.jpg", JpegWithProfile(jpeg, p3), p3, jpeg, ScaleHintFor(ScreenFit::Fill, w / 2, h / 2)},
        {"p3.webp", fixtures::WebpWithChunk(webp, "ICCP", p3), p3, webp},
        {"linear.png", fixtures::PngWithChunk(png, "gAMA", gamma1), LinearSrgb(), png},
        // The same HEVC picture tagged BT.709 (as sRGB) and Display P3 by its nclx code points.
        {"p3.heic", fixtures::EncodeHeif(rgb, w, h, false, 1, nullptr, {}, 12), p3,
         fixtures::EncodeHeif(rgb, w, h, false, 1, nullptr, {}, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string iccPath = (dir_ / (std::string(c.name) + ".icc")).string();
        fixtures::WriteAll(iccPath, c.profile);
        const std::vector<Rgb> numbers = Read(std::string("plain-") + c.name, c.untagged, c.hint);
        const std::vector<Rgb> expected = Transicc(iccPath, numbers);
        ASSERT_EQ(expected.size(), kPatches.size()) << "transicc gave no answer";
        const std::vector<Rgb> shown = Read(c.name, c.file, c.hint);
        for (size_t i = 0; i < kPatches.size(); ++i) {
            EXPECT_LT(DeltaE(shown[i], expected[i]), 1.0) << "patch " << i;
            if (i < 3) {  // the grey is grey in every one of these spaces
                EXPECT_GT(DeltaE(shown[i], numbers[i]), 2.0) << "patch " << i << " left unconverted";
            }
        }
    }
}

TEST_F(ColourManagement, UntaggedAndDamagedPicturesStayAsTheyAre)
{
    const Bytes rgb = PatchesRgb();
    const int w = kSide * static_cast<int>(kPatches.size()), h = kSide;
    const Bytes png = Untagged(fixtures::EncodePng(rgb, w, h));
    Bytes damaged = DisplayP3();
    damaged.resize(damaged.size() / 2);
    Bytes wrongKind = DisplayP3();
    wrongKind[16] = 'C', wrongKind[17] = 'M', wrongKind[18] = 'Y', wrongKind[19] = 'K';  // says CMYK
    for (const auto& [name, file] :
         {std::pair{"plain.png", png}, std::pair{"srgb.png", fixtures::PngWithChunk(png, "sRGB", {0})},
          std::pair{"cut.webp", fixtures::WebpWithChunk(fixtures::EncodeWebp(rgb, w, h, true), "ICCP", damaged)},
          std::pair{"cmyk-profile.png", fixtures::PngWithChunk(png, "iCCP", IccpChunk(wrongKind))},
          // gAMA 1/2.2 with sRGB's cHRM: how ImageMagick tags an sRGB picture
          std::pair{"srgb-tags.png", fixtures::PngWithChunk(fixtures::PngWithChunk(png, "gAMA", {0, 0, 0xB1, 0x8F}),
                                                            "cHRM", SrgbChrm())}}) {
        SCOPED_TRACE(name);
        const std::vector<Rgb> shown = Read(name, file);
        for (size_t i = 0; i < kPatches.size(); ++i)
            EXPECT_EQ(shown[i], (Rgb{double(kPatches[i][0]), double(kPatches[i][1]), double(kPatches[i][2])}));
    }
}

// A CMYK JPEG and a CMYK JPEG XL (its black an extra channel) go through
// their own profile as they are decoded. The profile is one of the samples
// Ghostscript installs.
TEST_F(ColourManagement, CmykPicturesGoThroughTheirProfile)
{
    const std::string icc = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    if (!std::filesystem::exists(icc))
        GTEST_SKIP() << icc << " is missing (scripts/install-deps installs it)";
    // Ink as the files store it, inverted: 255 is none.
    constexpr std::array<std::array<uint8_t, 4>, 4> kInks{
        {{230, 80, 150, 240}, {120, 210, 90, 250}, {200, 200, 60, 230}, {255, 255, 255, 128}}};
    const int w = kSide * static_cast<int>(kInks.size()), h = kSide;
    Bytes cmyk, cmy, black;
    for (int y = 0; y < h; ++y)
        for (const auto& ink : kInks)
            for (int x = 0; x < kSide; ++x) {
                cmyk.insert(cmyk.end(), ink.begin(), ink.end());
                cmy.insert(cmy.end(), ink.begin(), ink.begin() + 3);
                black.push_back(ink[3]);
            }
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(tj, cmyk.data(), w, 0, h, TJPF_CMYK, &out, &size, TJSAMP_444, 100, 0), 0);
    const Bytes jpeg(out, out + size);
    tjFree(out);
    tjDestroy(tj);
    // The JPEG is lossy: what is converted is what its decoder gives.
    Bytes decoded(cmyk.size());
    tj = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(tj, jpeg.data(), jpeg.size(), decoded.data(), w, 0, h, TJPF_CMYK, 0), 0);
    tjDestroy(tj);
    const Bytes profile = fixtures::ReadAll(icc);
    const struct {
        const char* name;
        Bytes file;
        Bytes numbers;
    } cases[] = {
        {"cmyk.jpg", JpegWithProfile(jpeg, profile), decoded},
        {"cmyk.jxl", fixtures::EncodeCmykJxl(cmy, black, w, h, profile), cmyk},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.file.empty()) << c.name << ": the encoder refused";
        // The numbers as ink in percent for transicc.
        std::vector<std::vector<double>> inks;
        for (size_t i = 0; i < kInks.size(); ++i) {
            const uint8_t* p = &c.numbers[(static_cast<size_t>(kSide / 2) * w + i * kSide + kSide / 2) * 4];
            inks.push_back({(255 - p[0]) / 2.55, (255 - p[1]) / 2.55, (255 - p[2]) / 2.55, (255 - p[3]) / 2.55});
        }
        const std::vector<Rgb> expected = Transicc(icc, inks, (dir_ / "inks.in").string());
        ASSERT_EQ(expected.size(), kInks.size()) << "transicc gave no answer";
        const std::vector<Rgb> shown = Read(c.name, c.file);
        for (size_t i = 0; i < kInks.size(); ++i)
            EXPECT_LT(DeltaE(shown[i], expected[i]), 2.0) << c.name << " patch " << i;
    }
}

// A profile that cannot stand for the picture's colours is ignored in every
// format: a grey one on a colour picture, one whose curve or primaries would
// make every colour one, one beyond the size every format allows (a Display
// P3 profile padded past 4 MB, which would otherwise be used). The picture
// is shown as the same file without the profile shows it.
TEST_F(ColourManagement, ProfilesThatCannotStandForThePictureAreIgnored)
{
    const Bytes rgb = PatchesRgb();
    const int w = kSide * static_cast<int>(kPatches.size()), h = kSide;
    const Bytes png = Untagged(fixtures::EncodePng(rgb, w, h)), jpeg = fixtures::EncodeJpeg(rgb, w, h, false, 100);
    const Bytes webp = fixtures::EncodeWebp(rgb, w, h, true);
    const Bytes heic = fixtures::EncodeHeif(rgb, w, h, false), avif = fixtures::EncodeHeif(rgb, w, h, true);
    const std::pair<const char*, Bytes> profiles[] = {
        {"grey", GreyProfile()},
        {"gamma-0", GammaZero()},
        {"no-numbers", NoNumbersCurve()},
        {"zero-primaries", ZeroPrimaries()},
        {"oversized", DisplayP3((size_t{4} << 20) + 1000)},
    };
    for (const auto& [kind, icc] : profiles) {
        const struct {
            const char* format;
            Bytes file, untagged;
        } cases[] = {
            {"png", fixtures::PngWithChunk(png, "iCCP", IccpChunk(icc)), png},
            {"jpg", JpegWithProfile(jpeg, icc), jpeg},
            {"webp", fixtures::WebpWithChunk(webp, "ICCP", icc), webp},
            {"heic", fixtures::EncodeHeif(rgb, w, h, false, 1, nullptr, {}, 0, icc), heic},
            {"avif", fixtures::EncodeHeif(rgb, w, h, true, 1, nullptr, {}, 0, icc), avif},
        };
        for (const auto& c : cases) {
            const std::string name = std::string(kind) + "." + c.format;
            SCOPED_TRACE(name);
            const std::vector<Rgb> expected = Read("plain." + std::string(c.format), c.untagged);
            const std::vector<Rgb> shown = Read(name, c.file);
            for (size_t i = 0; i < kPatches.size(); ++i)
                EXPECT_LT(DeltaE(shown[i], expected[i]), 1.0) << "patch " << i;
        }
    }
}

// The conversions kept for the pictures to come hold a few megabytes at
// most: twelve pictures with twelve different profiles of nearly 4 MB
// (Display P3 padded, each with its own padding) leave the program's
// resident size within 12 MB of where it was, the heap's free memory given
// back.
TEST_F(ColourManagement, KeptConversionsHoldAFewMegabytesAtMost)
{
    auto resident = [] {
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_purge_allocator();  // freed memory waits in the sanitizer's quarantine otherwise
#endif
        ::malloc_trim(0);
        std::ifstream statm("/proc/self/statm");
        long pages = 0, kept = 0;
        statm >> pages >> kept;
        return static_cast<double>(kept) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1 << 20);
    };
    const double before = resident();
    for (int i = 0; i < 12; ++i) {
        ColourTag tag;
        tag.Icc = DisplayP3((size_t{4} << 20) - 4096 - static_cast<size_t>(i) * 16);
        DibPicture picture;
        ASSERT_TRUE(picture.Allocate(16, 16, 24));
        for (size_t b = 0; b < picture.Bits.size(); ++b)
            picture.Bits[b] = static_cast<uint8_t>(b * 7);
        EXPECT_TRUE(ConvertToSrgb(picture, tag)) << i;
    }
    const double after = resident();
    EXPECT_LT(after - before, 12.0) << before << " MB before, " << after << " MB after";
}
