// SPDX-License-Identifier: GPL-3.0-or-later
// In-process timings of the image paths over pictures made in memory; the
// counters give megapixels per second so later changes can be compared.
#include "image/formats/bmp/bmp_writer.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/photo_cd/photo_cd_decoder.h"
#include "image/palette/colour_reduction.h"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::vector<uint8_t> Photo(int w, int h)
{
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    uint32_t noise = 1;
    for (size_t i = 0; i < rgb.size(); ++i) {
        noise = noise * 1664525 + 1013904223;
        const size_t p = i / 3;
        const double x = static_cast<double>(p % w) / w, y = static_cast<double>(p / w) / h;
        rgb[i] = static_cast<uint8_t>(
            std::clamp(127 + 100 * std::sin(7 * x + 3 * y + i % 3) + (noise >> 28), 0.0, 255.0));
    }
    return rgb;
}

std::vector<uint8_t> Jpeg(int w, int h)
{
    const auto rgb = Photo(w, h);
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, rgb.data(), w, 0, h, TJPF_RGB, &out, &size, TJSAMP_420, 90, 0);
    std::vector<uint8_t> bytes(out, out + size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

void SetRate(benchmark::State& state, int w, int h)
{
    state.counters["MP/s"] = benchmark::Counter(static_cast<double>(w) * h * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

void BM_JpegToBmp(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto jpeg = Jpeg(w, h);
    size_t written = 0;
    const FileWriter sink = [&](const std::string&, ByteParts parts) {
        for (const auto& p : parts)
            written += p.size();
        return true;
    };
    for (auto _ : state) {
        const ImageRead d = DecodeJpeg(jpeg);
        WriteBmpFile("x.bmp", d.Picture, sink);
    }
    benchmark::DoNotOptimize(written);
    SetRate(state, w, h);
}
BENCHMARK(BM_JpegToBmp)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_Reduce256(benchmark::State& state)
{
    const int w = 1920, h = 1080;
    const ImageRead d = DecodeJpeg(Jpeg(w, h));
    for (auto _ : state) {
        DibPicture out;
        benchmark::DoNotOptimize(ReduceColours(d.Picture, 256, state.range(0) != 0, out));
    }
    SetRate(state, w, h);
}
BENCHMARK(BM_Reduce256)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_PcdMediumCutOff(benchmark::State& state)
{
    const PcdGeometry g = PcdGeometryFor(pcdMedium);
    std::vector<uint8_t> file(g.Offset + static_cast<size_t>(g.Width) * g.Height * 3 / 2);
    uint32_t noise = 7;
    for (auto& b : file) {
        noise = noise * 1664525 + 1013904223;
        b = static_cast<uint8_t>(noise >> 24);
    }
    for (auto _ : state) {
        PcdMemorySource source(file);
        benchmark::DoNotOptimize(DecodePcd(source, pcdMedium, true));
    }
    SetRate(state, g.Width, g.Height);
}
BENCHMARK(BM_PcdMediumCutOff)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
