// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rotation's choice of the next wallpaper file: the directory for the time
// of day, a new listing only when the directory string changes (or the kept
// list is empty), and a random pick from the kept list that shows every file
// once before any comes again (WallShuffle). A file that failed is not picked
// again in the same minute.

#include "base/clock_settings.h"
#include "wallpaper/wall_shuffle.h"

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

class WallRotation {
public:
    // The generator is seeded once, here, and never again.
    explicit WallRotation(std::uint32_t seed);

    // Chooses the directory for `now`, remembers it (PrevWallDir := CurWallDir,
    // CurWallDir := the choice), lists it when the string differs from the
    // previous one or the kept list is empty, and returns the full path of a
    // file picked at random, the next of the shuffled round (a new listing
    // starts a new round). Files that failed in the minute of `now` are passed
    // over. Empty when the directory string is empty, holds no image file, or
    // every file of it failed in this minute.
    std::string NextWallFile(const ClockSettings& settings, TDateTime now);

    // The file at `path` (as NextWallFile gave it) could not be shown at
    // `now`: the picks of the same minute pass it over.
    void Failed(const std::string& path, TDateTime now);
    // The failures are forgotten: every file may be picked again.
    void ForgetFailures();

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
    WallShuffle shuffle_;
    std::set<std::string> failed_;  // paths that failed in failedMinute_
    TDateTime failedMinute_ = 0;
};
