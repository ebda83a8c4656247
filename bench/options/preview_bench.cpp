// SPDX-License-Identifier: GPL-3.0-or-later
// The image picker's preview (165 x 129) of an 8000 x 8000 JPEG: the memory
// the preview holds while the picker stays open, and the peak while it reads
// the file. Run offscreen; figures are counters in megabytes.

#include "image/views/multi_image_view.h"
#include "platform/linux/system/malloc_process_memory.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// A field of the process's status file in kilobytes ("VmRSS", "VmHWM").
long StatusKilobytes(const std::string& field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

// The library's own encoder writes the photo: a smooth gradient, as a camera's.
std::string WriteLargeJpeg(const QString& dir, int side)
{
    std::vector<unsigned char> rgb(static_cast<std::size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            unsigned char* p = &rgb[(static_cast<std::size_t>(y) * side + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / side);
            p[1] = static_cast<unsigned char>(y * 255 / side);
            p[2] = 128;
        }
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(encoder, rgb.data(), side, 0, side, TJPF_RGB, &jpeg, &size, TJSAMP_420, 85, 0);
    const std::string path = (dir + QStringLiteral("/large.jpg")).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg), static_cast<std::streamsize>(size));
    tjFree(jpeg);
    tjDestroy(encoder);
    return path;
}

void PreviewOfAnEightThousandSquareJpeg(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = WriteLargeJpeg(dir.path(), 8000);
    platform::MallocProcessMemory().ReturnFreeHeap();
    for (auto _ : state) {
        const long before = StatusKilobytes("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        MultiImageView preview;
        preview.resize(165, 129);
        preview.SetImageName(QString::fromStdString(path));
        const long peak = StatusKilobytes("VmHWM");
        platform::MallocProcessMemory().ReturnFreeHeap();
        const long held = StatusKilobytes("VmRSS");
        state.counters["held_MB"] = static_cast<double>(held - before) / 1024;
        state.counters["peak_MB"] = static_cast<double>(peak - before) / 1024;
        benchmark::DoNotOptimize(preview.Shown().cacheKey());
    }
}
BENCHMARK(PreviewOfAnEightThousandSquareJpeg)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
