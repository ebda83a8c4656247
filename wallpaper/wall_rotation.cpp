// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_rotation.h"

#include "wallpaper/wall_dir_choice.h"
#include "wallpaper/wall_files.h"
#include "wallpaper/wall_image.h"
#include "wallpaper/wall_schedule.h"

#include <algorithm>
#include <numeric>

WallRotation::WallRotation(std::uint32_t seed) : random_(seed)
{}

void WallRotation::LoadWallFiles()
{
    WallFiles = ::LoadWallFiles(CurWallDir, &BrokenLinks);
    shuffle_.Reset(WallFiles.size());
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
    const bool failuresCount = !failed_.empty() && MinuteStart(now) == failedMinute_;
    const auto index = shuffle_.Next(random_, [&](std::size_t i) {
        return failuresCount && failed_.count(JoinWallPath(CurWallDir, WallFiles[i])) > 0;
    });
    if (!index)
        return {};
    return JoinWallPath(CurWallDir, WallFiles[*index]);
}

void WallRotation::Failed(const std::string& path, TDateTime now)
{
    const TDateTime minute = MinuteStart(now);
    if (minute != failedMinute_)
        failed_.clear();
    failedMinute_ = minute;
    failed_.insert(path);
}

void WallRotation::ForgetFailures()
{
    failed_.clear();
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
