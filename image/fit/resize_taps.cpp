// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/fit/resize_taps.h"

#include <cmath>
#include <utility>

int Taps::SourceEnd() const
{
    int end = SourceFirst();
    for (size_t i = 0; i < first.size(); ++i)
        end = std::max(end, first[i] + count[i]);
    return end;
}

Taps MakeTaps(double start, double length, int outputs, int sourceSize)
{
    Taps t;
    const double step = outputs > 0 ? length / outputs : 1;
    t.maxTaps = step > 1 ? static_cast<int>(std::ceil(step)) + 2 : 2;
    t.first.resize(outputs);
    t.count.resize(outputs);
    t.weights.assign(static_cast<size_t>(outputs) * t.maxTaps, 0);
    std::vector<double> w(t.maxTaps);
    std::vector<std::pair<int, double>> raw;
    for (int i = 0; i < outputs; ++i) {
        raw.clear();
        if (step > 1) {  // reducing: the area each source pixel covers
            const double a = start + i * step, b = a + step;
            const int from = static_cast<int>(std::floor(a));
            const int last = std::min(static_cast<int>(std::ceil(b)) - 1, from + t.maxTaps - 1);
            for (int j = from; j <= last; ++j)
                raw.emplace_back(j, std::max(0.0, std::min(b, j + 1.0) - std::max(a, static_cast<double>(j))));
        } else {  // enlarging: between the two nearest source pixels
            const double c = start + (i + 0.5) * step - 0.5;
            const int j = static_cast<int>(std::floor(c));
            raw.emplace_back(j, 1 - (c - j));
            raw.emplace_back(j + 1, c - j);
        }
        // Indices past the picture's edges take the edge pixel.
        int first = sourceSize, last = -1;
        for (auto& [j, weight] : raw) {
            j = std::clamp(j, 0, sourceSize - 1);
            first = std::min(first, j), last = std::max(last, j);
        }
        const int n = last - first + 1;
        std::fill(w.begin(), w.end(), 0.0);
        for (const auto& [j, weight] : raw)
            w[j - first] += weight;
        double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += w[k];
        int given = 0;
        for (int k = 0; k < n; ++k) {
            const int v = sum > 0 ? static_cast<int>(std::lround(w[k] / sum * kTapOne)) : (k == 0 ? kTapOne : 0);
            t.weights[static_cast<size_t>(i) * t.maxTaps + k] = v;
            given += v;
        }
        t.weights[static_cast<size_t>(i) * t.maxTaps] += kTapOne - given;  // the rounding's remainder
        t.first[i] = first;
        t.count[i] = n;
    }
    return t;
}
