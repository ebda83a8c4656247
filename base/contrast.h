// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How well one colour reads on another: the contrast ratio of the web's
// accessibility guidelines, from 1 (the same) to 21 (black on white). Text
// reads well from 4.5 on.

#include <cstdint>

inline constexpr double kReadableContrast = 4.5;

// `a` and `b` as 0xRRGGBB.
double ContrastRatio(std::uint32_t a, std::uint32_t b);
