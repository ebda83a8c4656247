// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/colour/rgb_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

struct ProfileCloser {
    void operator()(void* p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
    void operator()(void* t) const { cmsDeleteTransform(t); }
};

// sRGB with a straight line for its curve: what the matrix gives.
std::unique_ptr<void, ProfileCloser> LinearSrgb()
{
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* line = cmsBuildGamma(nullptr, 1.0);
    if (!line)
        return nullptr;
    cmsToneCurve* curves[3] = {line, line, line};
    std::unique_ptr<void, ProfileCloser> made(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(line);
    return made;
}

uint8_t SrgbByte(double linear)
{
    const double v = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

}  // namespace

std::unique_ptr<const RgbTables> RgbTables::Make(cmsHPROFILE source, cmsHTRANSFORM reference)
{
    if (!source || !reference || cmsGetColorSpace(source) != cmsSigRgbData || !cmsIsMatrixShaper(source))
        return nullptr;
    auto tables = std::make_unique<RgbTables>();
    const cmsTagSignature trcs[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int c = 0; c < 3; ++c) {
        const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(source, trcs[c]));
        if (!curve)
            return nullptr;
        for (int v = 0; v < 256; ++v)
            tables->linear_[c][v] = static_cast<int32_t>(std::lround(
                std::clamp(cmsEvalToneCurveFloat(curve, static_cast<cmsFloat32Number>(v / 255.0)), 0.0f, 1.0f) *
                kSteps));
    }
    // The matrix's columns: what Little CMS makes of each primary alone,
    // in linear light (a float conversion of curves and matrices is not
    // clipped).
    const auto linear = LinearSrgb();
    std::unique_ptr<void, TransformDeleter> toLinear(
        linear
            ? cmsCreateTransform(source, TYPE_RGB_FLT, linear.get(), TYPE_RGB_FLT, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE)
            : nullptr);
    if (!toLinear)
        return nullptr;
    for (int c = 0; c < 3; ++c) {
        float primary[3] = {0, 0, 0}, column[3];
        primary[c] = 1;
        cmsDoTransform(toLinear.get(), primary, column, 1);
        for (int r = 0; r < 3; ++r) {
            // No primary is that far beyond sRGB's (nor NaN); the sums stay in 32 bits.
            if (!(std::abs(column[r]) < 4))
                return nullptr;
            tables->matrix_[r * 3 + c] = static_cast<int32_t>(std::lround(column[r] * (1 << kMatrixBits)));
        }
    }
    for (int i = 0; i <= kSteps; ++i)
        tables->encode_[i] = SrgbByte(static_cast<double>(i) / kSteps);
    // Checked against Little CMS's own conversion over a grid of colours.
    std::vector<uint8_t> grid;
    for (int b = 0; b <= 256; b += 16)
        for (int g = 0; g <= 256; g += 16)
            for (int r = 0; r <= 256; r += 16)
                grid.insert(grid.end(), {static_cast<uint8_t>(std::min(b, 255)), static_cast<uint8_t>(std::min(g, 255)),
                                         static_cast<uint8_t>(std::min(r, 255))});
    const int count = static_cast<int>(grid.size() / 3);
    std::vector<uint8_t> ours(grid.size()), theirs(grid.size());
    tables->Run(grid.data(), ours.data(), count);
    cmsDoTransform(reference, grid.data(), theirs.data(), static_cast<cmsUInt32Number>(count));
    for (size_t i = 0; i < grid.size(); ++i)
        if (std::abs(ours[i] - theirs[i]) > 1)
            return nullptr;
    return tables;
}

void RgbTables::Run(const uint8_t* from, uint8_t* to, int pixels) const
{
    const auto& m = matrix_;
    constexpr int32_t kHalf = 1 << (kMatrixBits - 1);
    const auto encode = [this](int32_t v) {
        return encode_[static_cast<size_t>(std::clamp((v + kHalf) >> kMatrixBits, 0, kSteps))];
    };
    for (int i = 0; i < pixels; ++i, from += 3, to += 3) {
        const int32_t r = linear_[0][from[2]], g = linear_[1][from[1]], b = linear_[2][from[0]];
        const uint8_t outR = encode(m[0] * r + m[1] * g + m[2] * b);
        const uint8_t outG = encode(m[3] * r + m[4] * g + m[5] * b);
        const uint8_t outB = encode(m[6] * r + m[7] * g + m[8] * b);
        to[0] = outB;
        to[1] = outG;
        to[2] = outR;
    }
}
