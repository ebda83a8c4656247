// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/dropped_names.h"

#include "wallpaper/wall_image.h"

std::string DroppedNameOnly(std::string_view path)
{
    const auto sep = path.find_last_of(kWallPathSeparator);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string DroppedExtension(std::string_view path)
{
    const std::string name = DroppedNameOnly(path);
    const auto dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}
