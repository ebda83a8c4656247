// SPDX-License-Identifier: GPL-3.0-or-later
// The rotation's own costs: listing a large directory once, and a pick from
// the kept list (no directory access).
#include "wallpaper/wall_files.h"
#include "wallpaper/wall_rotation.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A directory of `count` files, a tenth of them images, made once per run.
const std::string& LargeDir(int count)
{
    static std::string path;
    if (path.empty()) {
        path = (fs::temp_directory_path() / ("zelvaro-bench-dir-" + std::to_string(count))).string();
        if (!fs::exists(fs::path(path) / "done")) {
            fs::create_directories(path);
            for (int i = 0; i < count; ++i)
                std::ofstream(fs::path(path) / (std::to_string(i) + (i % 10 == 0 ? ".jpg" : ".txt")));
            std::ofstream(fs::path(path) / "done");
        }
    }
    return path;
}

void BM_LoadWallFiles100k(benchmark::State& state)
{
    const std::string& dir = LargeDir(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadWallFiles(dir));
}
BENCHMARK(BM_LoadWallFiles100k)->Unit(benchmark::kMillisecond);

void BM_NextWallFileFromKeptList(benchmark::State& state)
{
    ClockSettings settings;
    settings.WallDir1 = LargeDir(100000);
    WallRotation rotation(1);
    rotation.NextWallFile(settings, 46000.5);  // the one listing
    for (auto _ : state)
        benchmark::DoNotOptimize(rotation.NextWallFile(settings, 46000.5));
}
BENCHMARK(BM_NextWallFileFromKeptList);

}  // namespace

BENCHMARK_MAIN();
