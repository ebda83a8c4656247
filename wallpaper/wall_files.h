// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Listing a wallpaper directory.

#include <cstddef>
#include <string>
#include <vector>

// The names (no directory part) of the image files in `dir`, in the order the
// directory enumeration returns them: subdirectories are not entered and are
// skipped with every other directory entry, FIFOs, sockets and devices are
// left out, hidden files are taken, names that fail IsWallImage are left out.
// A symbolic link that leads nowhere (its target gone, or a loop) is no
// picture either: it is left out and counted in `brokenLinks` when given.
// A directory that does not exist, is not a directory or cannot be read
// gives what was read so far (usually nothing); this never throws.
std::vector<std::string> LoadWallFiles(const std::string& dir, std::size_t* brokenLinks = nullptr);
