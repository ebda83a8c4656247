// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_image.h"

#include "image/image_format.h"

bool IsWallImage(std::string_view name)
{
    return FormatOfName(name) != nullptr;
}

std::string JoinWallPath(std::string_view dir, std::string_view name)
{
    std::string path(dir);
    if (path.empty() || path.back() != kWallPathSeparator)
        path += kWallPathSeparator;
    path += name;
    return path;
}
