// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 8-bit RGB converted to sRGB by tables, for a source profile made of three
// curves and a matrix (Display P3, Adobe RGB, nearly every camera's and
// phone's profile): each byte to linear light, the matrix, linear light to
// the sRGB byte. Several times faster than the 8-bit conversion Little CMS
// makes of such a profile, and within a step of it.

#include <lcms2.h>

#include <array>
#include <cstdint>
#include <memory>

class RgbTables {
public:
    // The tables for the profile, or none when it is no such profile or the
    // tables would stray from `reference` (Little CMS's own conversion of
    // the profile to sRGB, three bytes blue first) by more than a step.
    static std::unique_ptr<const RgbTables> Make(cmsHPROFILE source, cmsHTRANSFORM reference);

    // `pixels` pixels of three bytes, blue first; `from` may be `to`.
    void Run(const uint8_t* from, uint8_t* to, int pixels) const;

private:
    // Linear light in steps of 1 / kSteps, the matrix in steps of
    // 1 / 2^kMatrixBits: integer arithmetic throughout.
    static constexpr int kSteps = 1 << 14;
    static constexpr int kMatrixBits = 12;
    std::array<std::array<int32_t, 256>, 3> linear_{};  // red, green, blue
    std::array<int32_t, 9> matrix_{};                   // sRGB's linear red, green, blue from the source's
    std::array<uint8_t, kSteps + 1> encode_{};
};
