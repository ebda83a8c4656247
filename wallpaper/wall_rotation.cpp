// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_rotation.h"

#include "wallpaper/wall_dir_choice.h"
#include "wallpaper/wall_files.h"
#include "wallpaper/wall_image.h"

WallRotation::WallRotation(std::uint32_t seed) : random_(seed)
{}

void WallRotation::LoadWallFiles()
{
    WallFiles = ::LoadWallFiles(CurWallDir);
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
