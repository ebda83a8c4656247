// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rotation's choice of the next wallpaper file: the directory for the time
// of day, a new listing only when the directory string changes (or the kept
// list is empty), and a uniform random pick from the kept list.

#include "base/clock_settings.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class WallRotation {
public:
    // The generator is seeded once, here, and never again.
    explicit WallRotation(std::uint32_t seed);

    // Chooses the directory for `now`, remembers it (PrevWallDir := CurWallDir,
    // CurWallDir := the choice), lists it when the string differs from the
    // previous one or the kept list is empty, and returns the full path of a
    // file picked at random. Empty when the directory string is empty or holds
    // no image file.
    std::string NextWallFile(const ClockSettings& settings, TDateTime now);

    // `count` more files of the kept list for the other monitors, beside
    // `first` (the file NextWallFile chose): every other file once, in a
    // random order, before any comes again. Empty when the list is.
    std::vector<std::string> MoreWallFiles(const std::string& first, std::size_t count);

    // Refills WallFiles from CurWallDir.
    void LoadWallFiles();

    std::string CurWallDir;
    std::string PrevWallDir;
    std::vector<std::string> WallFiles;
    // Links that lead nowhere, left out of the last listing of CurWallDir.
    std::size_t BrokenLinks = 0;

private:
    std::mt19937 random_;
};
