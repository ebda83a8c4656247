// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures made at the screen's size: where the picture goes for each mode,
// the area filter against a plain reference, and the readers that decode
// no larger than the screen needs.
#include "image/fit/screen_fit.h"
#include "image/fit/streaming_fit.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/webp/webp_decoder.h"
#include "image_fixtures.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

namespace {

DibPicture FromRgb(const std::vector<uint8_t>& rgb, int w, int h)
{
    DibPicture p;
    p.Allocate(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                p.TopRow(y)[x * 3 + c] = rgb[(static_cast<size_t>(y) * w + x) * 3 + 2 - c];
    return p;
}

}  // namespace

TEST(ScreenFit, PlacesThePictureForEachMode)
{
    struct Case {
        const char* what;
        ScreenFit fit;
        int pw, ph, sw, sh;
        FitPlacement want;
    };
    const Case cases[] = {
        {"portrait filling landscape",
         ScreenFit::Fill,
         3000,
         4000,
         1920,
         1080,
         {0, 1156.25, 3000, 1687.5, 0, 0, 1920, 1080}},
        {"portrait fitted in landscape", ScreenFit::Fit, 3000, 4000, 1920, 1080, {0, 0, 3000, 4000, 555, 0, 810, 1080}},
        {"panorama filling", ScreenFit::Fill, 8000, 2000, 1920, 1080, {2222.22, 0, 3555.56, 2000, 0, 0, 1920, 1080}},
        {"panorama fitted", ScreenFit::Fit, 8000, 2000, 1920, 1080, {0, 0, 8000, 2000, 0, 300, 1920, 480}},
        {"smaller than the screen, filling",
         ScreenFit::Fill,
         800,
         600,
         1920,
         1080,
         {0, 75, 800, 450, 0, 0, 1920, 1080}},
        {"stretched", ScreenFit::Stretch, 800, 600, 1920, 1080, {0, 0, 800, 600, 0, 0, 1920, 1080}},
        {"spanned over 1920 + 1280 side by side",
         ScreenFit::Fill,
         6000,
         4000,
         3200,
         1080,
         {0, 987.5, 6000, 2025, 0, 0, 3200, 1080}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FitPlacement p = PlaceOnScreen(c.fit, c.pw, c.ph, c.sw, c.sh);
        EXPECT_NEAR(p.srcX, c.want.srcX, 0.01);
        EXPECT_NEAR(p.srcY, c.want.srcY, 0.01);
        EXPECT_NEAR(p.srcW, c.want.srcW, 0.01);
        EXPECT_NEAR(p.srcH, c.want.srcH, 0.01);
        EXPECT_EQ(std::tie(p.dstX, p.dstY, p.dstW, p.dstH),
                  std::tie(c.want.dstX, c.want.dstY, c.want.dstW, c.want.dstH));
    }
}

TEST(ScreenFit, AreaFilterMatchesAPlainAverage)
{
    const int w = 1200, h = 800, sw = 480, sh = 270;
    const DibPicture src = FromRgb(fixtures::PhotoRgb(w, h), w, h);
    DibPicture out;
    ASSERT_TRUE(FitToScreen(src, ScreenFit::Fill, sw, sh, out));
    ASSERT_EQ(std::tie(out.Width, out.Height, out.BitCount), std::make_tuple(sw, sh, 24));
    // Every output pixel is the average of the source area it covers.
    const FitPlacement p = PlaceOnScreen(ScreenFit::Fill, w, h, sw, sh);
    const double stepX = p.srcW / sw, stepY = p.srcH / sh;
    double squares = 0;
    for (int oy = 0; oy < sh; ++oy)
        for (int ox = 0; ox < sw; ++ox) {
            const double x0 = p.srcX + ox * stepX, y0 = p.srcY + oy * stepY;
            double sum[3] = {}, area = 0;
            for (int y = static_cast<int>(y0); y < y0 + stepY; ++y)
                for (int x = static_cast<int>(x0); x < x0 + stepX; ++x) {
                    const double a = (std::min(x0 + stepX, x + 1.0) - std::max(x0, double(x))) *
                                     (std::min(y0 + stepY, y + 1.0) - std::max(y0, double(y)));
                    for (int c = 0; c < 3; ++c)
                        sum[c] += a * src.TopRow(y)[x * 3 + c];
                    area += a;
                }
            for (int c = 0; c < 3; ++c) {
                const double d = sum[c] / area - out.TopRow(oy)[ox * 3 + c];
                squares += d * d;
            }
        }
    const double psnr = 10 * std::log10(255.0 * 255.0 * 3 * sw * sh / squares);
    EXPECT_GT(psnr, 45);
}

TEST(ScreenFit, ASolidPictureStaysSolidInEveryModeWithBlackBars)
{
    for (auto [pw, ph] : {std::pair{37, 23}, {3000, 1000}, {500, 1500}})
        for (ScreenFit fit : {ScreenFit::Fit, ScreenFit::Fill, ScreenFit::Stretch}) {
            DibPicture src;
            ASSERT_TRUE(src.Allocate(pw, ph, 24));
            for (int y = 0; y < ph; ++y)
                for (int x = 0; x < pw; ++x)
                    src.TopRow(y)[3 * x] = 10, src.TopRow(y)[3 * x + 1] = 200, src.TopRow(y)[3 * x + 2] = 255;
            DibPicture out;
            ASSERT_TRUE(FitToScreen(src, fit, 640, 360, out));
            const FitPlacement p = PlaceOnScreen(fit, pw, ph, 640, 360);
            int wrong = 0;
            for (int y = 0; y < 360; ++y)
                for (int x = 0; x < 640; ++x) {
                    const bool inside = x >= p.dstX && x < p.dstX + p.dstW && y >= p.dstY && y < p.dstY + p.dstH;
                    wrong += out.PixelAt(x, y) != (inside ? RgbQuad{10, 200, 255, 0} : RgbQuad{});
                }
            EXPECT_EQ(wrong, 0) << pw << "x" << ph << " mode " << static_cast<int>(fit);
        }
}

TEST(ScreenFit, ReadersDecodeNoLargerThanTheScreenNeeds)
{
    const int w = 1600, h = 1200;
    const auto rgb = fixtures::PhotoRgb(w, h);
    const auto jpeg = fixtures::EncodeJpeg(rgb, w, h);
    const auto webp = fixtures::EncodeWebp(rgb, w, h, false);
    struct Case {
        ScaleHint hint;
        int jpegW, jpegH;  // eighths of the picture
        int webpW, webpH;  // any size
    };
    const Case cases[] = {
        {{}, 1600, 1200, 1600, 1200},
        {{400, 300, true}, 400, 300, 400, 300},
        {{401, 300, true}, 600, 450, 401, 301},
        {{400, 1000, false}, 400, 300, 400, 300},
        {{1920, 1080, true}, 1600, 1200, 1600, 1200},  // smaller than the screen: whole
    };
    for (const Case& c : cases) {
        const ImageRead j = DecodeJpeg(jpeg, c.hint);
        const ImageRead p = DecodeWebp(webp, c.hint);
        ASSERT_TRUE(j.Ok() && p.Ok());
        EXPECT_EQ(std::tie(j.Picture.Width, j.Picture.Height), std::tie(c.jpegW, c.jpegH)) << c.hint.Width;
        EXPECT_EQ(std::tie(p.Picture.Width, p.Picture.Height), std::tie(c.webpW, c.webpH)) << c.hint.Width;
    }
}

// Rows handed over one at a time give the same screen as the whole picture,
// in every mode, reducing and enlarging, and a fill that cuts rows off asks
// only for the rows it shows; a JPEG photo reduced as it is decoded is the
// same screen as the photo decoded whole and then fitted.
TEST(StreamingFit, RowByRowIsTheWholePicturesFit)
{
    struct Case {
        int pw, ph, sw, sh;
    };
    for (const Case& c : {Case{301, 203, 64, 36}, Case{50, 31, 64, 36}, Case{97, 290, 64, 36}, Case{640, 96, 33, 20}})
        for (ScreenFit fit : {ScreenFit::Fit, ScreenFit::Fill, ScreenFit::Stretch}) {
            SCOPED_TRACE(std::to_string(c.pw) + "x" + std::to_string(c.ph) + " mode " +
                         std::to_string(static_cast<int>(fit)));
            const DibPicture picture = FromRgb(fixtures::PhotoRgb(c.pw, c.ph), c.pw, c.ph);
            DibPicture whole, streamed;
            ASSERT_TRUE(FitToScreen(picture, fit, c.sw, c.sh, whole));
            StreamingFit stream;
            ASSERT_TRUE(stream.Start(c.pw, c.ph, fit, c.sw, c.sh, streamed));
            EXPECT_GE(stream.FirstRow(), 0);
            EXPECT_LE(stream.EndRow(), c.ph);
            if (fit == ScreenFit::Fill && c.ph * c.sw > c.pw * c.sh * 2) {
                EXPECT_GT(stream.FirstRow(), 0);  // the top of a tall picture is cut off
            }
            for (int y = 0; y < c.ph; ++y) {
                EXPECT_EQ(stream.Done(), y >= stream.EndRow());
                stream.Push(y, picture.TopRow(y));
            }
            ASSERT_TRUE(stream.Done());
            ASSERT_EQ(streamed.Width, c.sw);
            ASSERT_EQ(streamed.Height, c.sh);
            int differing = 0;
            for (int y = 0; y < c.sh; ++y)
                differing += std::memcmp(whole.TopRow(y), streamed.TopRow(y), static_cast<size_t>(c.sw) * 3) != 0;
            EXPECT_EQ(differing, 0);
        }

    // A landscape photo (a fill cuts columns), a portrait one (a fill skips
    // the top rows and never decodes the bottom ones), and one large enough
    // to be reduced on a second thread while it is decoded.
    struct Photo {
        int w, h, sw, sh;
    };
    for (const auto& [w, h, sw, sh] :
         {Photo{1600, 1000, 500, 400}, Photo{1000, 1600, 500, 400}, Photo{2400, 1600, 1920, 1080}}) {
        const auto jpeg = fixtures::EncodeJpeg(fixtures::PhotoRgb(w, h), w, h);
        for (ScreenFit fit : {ScreenFit::Fit, ScreenFit::Fill, ScreenFit::Stretch}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " mode " +
                         std::to_string(static_cast<int>(fit)));
            const ScaleHint hint = ScaleHintFor(fit, sw, sh);
            ScaleHint unfitted = hint;
            unfitted.Fit.reset();
            const ImageRead streamed = DecodeJpeg(jpeg, hint);
            const ImageRead decoded = DecodeJpeg(jpeg, unfitted);
            ASSERT_TRUE(streamed.Ok() && decoded.Ok());
            EXPECT_LT(decoded.Picture.Width, w);  // read at a reduced scale
            DibPicture fitted;
            ASSERT_TRUE(FitToScreen(decoded.Picture, fit, sw, sh, fitted));
            ASSERT_EQ(std::tie(streamed.Picture.Width, streamed.Picture.Height, streamed.Picture.BitCount),
                      std::make_tuple(sw, sh, 24));
            EXPECT_EQ(streamed.FileBitCount, 24);
            int differing = 0;
            const size_t rowBytes = static_cast<size_t>(sw) * 3;
            for (int y = 0; y < sh; ++y)
                differing += std::memcmp(fitted.TopRow(y), streamed.Picture.TopRow(y), rowBytes) != 0;
            EXPECT_EQ(differing, 0);
        }
    }
}
