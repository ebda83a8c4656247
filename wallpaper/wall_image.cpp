// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_image.h"

#include "image/image_kind.h"

std::string WallExtension(std::string_view name)
{
    const auto sep = name.find_last_of(kWallPathSeparator);
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep))
        return {};
    std::string ext(name.substr(dot));
    for (char& c : ext)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return ext;
}

bool IsWallImage(std::string_view name)
{
    return ImageKindOfName(name) != ImageKind::Unknown;
}

std::string JoinWallPath(std::string_view dir, std::string_view name)
{
    std::string path(dir);
    if (path.empty() || path.back() != kWallPathSeparator)
        path += kWallPathSeparator;
    path += name;
    return path;
}
