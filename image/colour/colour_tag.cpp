// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/colour/colour_tag.h"

namespace {

std::optional<Chromaticities> NclxPrimaries(int code)
{
    constexpr double kD65X = 0.3127, kD65Y = 0.3290;
    switch (code) {
    case 9: return Chromaticities{kD65X, kD65Y, 0.708, 0.292, 0.170, 0.797, 0.131, 0.046};   // BT.2020
    case 11: return Chromaticities{0.314, 0.351, 0.680, 0.320, 0.265, 0.690, 0.150, 0.060};  // DCI-P3
    case 12: return Chromaticities{kD65X, kD65Y, 0.680, 0.320, 0.265, 0.690, 0.150, 0.060};  // Display P3
    case 5: return Chromaticities{kD65X, kD65Y, 0.64, 0.33, 0.29, 0.60, 0.15, 0.06};         // BT.601 625
    case 6:
    case 7: return Chromaticities{kD65X, kD65Y, 0.630, 0.340, 0.310, 0.595, 0.155, 0.070};  // BT.601 525
    default: return std::nullopt;  // BT.709 (1), unspecified (2) and the rest: as sRGB
    }
}

}  // namespace

ColourTag ColourTagFromNclx(int primaries, int transfer)
{
    ColourTag tag;
    switch (transfer) {
    case 4: tag.Curve = Transfer::Gamma, tag.Exponent = 2.2; break;
    case 5: tag.Curve = Transfer::Gamma, tag.Exponent = 2.8; break;
    case 8: tag.Curve = Transfer::Linear; break;
    case 16:  // PQ and HLG are for high dynamic range: shown as they are
    case 18: return {};
    default: break;  // BT.709, sRGB, BT.601, unspecified: the sRGB curve
    }
    tag.Primaries = NclxPrimaries(primaries);
    if (tag.Primaries && tag.Curve == Transfer::Unstated)
        tag.Curve = Transfer::Srgb;
    return tag;
}
