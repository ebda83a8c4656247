// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_rotation.h"

#include "wallpaper/wall_dir_choice.h"
#include "wallpaper/wall_files.h"
#include "wallpaper/wall_image.h"

#include <algorithm>
#include <numeric>

WallRotation::WallRotation(std::uint32_t seed) : random_(seed)
{}

void WallRotation::LoadWallFiles()
{
    WallFiles = ::LoadWallFiles(CurWallDir, &BrokenLinks);
}

std::string WallRotation::NextWallFile(const ClockSettings& settings, TDateTime now)
{
    PrevWallDir = CurWallDir;
    CurWallDir = ChooseWallDir(settings, now);
    // An empty list is read again, so files added to a directory that had none
    // are found at the next step instead of after a restart.
    if (CurWallDir != PrevWallDir || WallFiles.empty())
        LoadWallFiles();
    if (CurWallDir.empty() || WallFiles.empty())
        return {};
    std::uniform_int_distribution<std::size_t> pick(0, WallFiles.size() - 1);
    return JoinWallPath(CurWallDir, WallFiles[pick(random_)]);
}

std::vector<std::string> WallRotation::MoreWallFiles(const std::string& first, std::size_t count)
{
    std::vector<std::string> more;
    if (CurWallDir.empty() || WallFiles.empty())
        return more;
    std::vector<std::size_t> order(WallFiles.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), random_);
    // The file already chosen comes last, so two monitors show the same
    // picture only when the directory has too few.
    std::stable_partition(order.begin(), order.end(),
                          [&](std::size_t i) { return JoinWallPath(CurWallDir, WallFiles[i]) != first; });
    for (std::size_t i = 0; more.size() < count; ++i)
        more.push_back(JoinWallPath(CurWallDir, WallFiles[order[i % order.size()]]));
    return more;
}
