// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a file says its colour numbers stand for: an embedded ICC profile, or
// a format's own tags (PNG's sRGB, gAMA and cHRM chunks; the code points of
// HEIF's and AVIF's nclx colour description). A file that says nothing is
// taken to be sRGB, as every screen and browser takes it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The largest embedded profile read, in every format: a real one is a few
// kilobytes (a camera's lookup tables a few hundred); a larger one is
// ignored, as if there were none, before Little CMS is given it.
inline constexpr size_t kMostIccBytes = size_t{4} << 20;

// The chromaticities (CIE x, y) of a picture's white point and primaries.
struct Chromaticities {
    double WhiteX, WhiteY;
    double RedX, RedY;
    double GreenX, GreenY;
    double BlueX, BlueY;
};

// How a picture's numbers turn into light.
enum class Transfer { Unstated, Srgb, Gamma, Linear };

struct ColourTag {
    std::vector<uint8_t> Icc;  // an embedded ICC profile; wins over the rest
    bool Srgb = false;         // stated sRGB outright (PNG's sRGB chunk)
    Transfer Curve = Transfer::Unstated;
    double Exponent = 0;  // with Transfer::Gamma: the display exponent (2.2 for PNG's gAMA 0.45455)
    std::optional<Chromaticities> Primaries;

    // True when the tag asks for anything but the numbers as they are.
    bool Tagged() const { return !Icc.empty() || (!Srgb && (Curve != Transfer::Unstated || Primaries)); }
};

// The tag of HEIF's and AVIF's nclx colour description, from its code points
// (ITU-T H.273): BT.709 and sRGB primaries with an sRGB-like curve stay
// untagged; primaries or curves of no use for a still picture on a screen
// (PQ, HLG) leave the picture as it is.
ColourTag ColourTagFromNclx(int primaries, int transfer);
