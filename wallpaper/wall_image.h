// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files the rotation and the application take as wallpapers, and how a
// directory string and a file name are joined.

#include <string>
#include <string_view>

// The directory separator of this platform.
constexpr char kWallPathSeparator = '/';

// True for the common spellings of every format the program reads (".jpg",
// ".jpeg", ".jpe", ".jfif", ".png", ".gif", ".tif", ".tiff", ".bmp", ".pcd",
// ".webp", ".heic", ".heif", ".heics", ".avif", ".avifs", ".jxl") in any
// case; names without an extension are not taken. The name only decides
// what is listed: the file's bytes decide how it is read.
bool IsWallImage(std::string_view name);

// The directory string as it stands, a separator unless it already ends in
// one, then the name: "/pics" and "/pics/" both give "/pics/a.jpg".
std::string JoinWallPath(std::string_view dir, std::string_view name);
