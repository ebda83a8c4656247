// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Channel(std::uint32_t value)
{
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t rgb)
{
    return 0.2126 * Channel(rgb >> 16) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb);
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
