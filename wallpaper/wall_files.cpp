// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_files.h"

#include "image/formats/dynamic/dynamic_wallpaper.h"
#include "image/formats/dynamic/timed_xml_format.h"
#include "wallpaper/wall_image.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> LoadWallFiles(const std::string& dir, std::size_t* brokenLinks)
{
    std::vector<std::string> files;
    if (brokenLinks)
        *brokenLinks = 0;
    if (dir.empty())
        return files;
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    // The name test runs first: it needs no system call, and in a large
    // directory most entries are not images.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string& full = it->path().native();
        const std::string_view name = std::string_view(full).substr(full.rfind('/') + 1);
        if (!IsWallImage(name))
            continue;
        // Follows a symbolic link, so a link to a directory is skipped like the
        // directory itself; a link whose target cannot be reached (gone, a
        // loop) is skipped and counted, so a folder of nothing else is told as
        // such rather than failing silently file by file.
        // A FIFO, socket or device is no picture and is never offered. The
        // type the listing gave is used where it is known and no link: only
        // links and file systems that give no type cost a look at the file.
        std::error_code typeError;
        if (it->is_directory(typeError) || it->is_other(typeError))
            continue;
        if (typeError) {
            if (brokenLinks)
                ++*brokenLinks;
            continue;
        }
        // Of the XML files only timed backgrounds are pictures: their first bytes tell.
        if (IsTimedXmlName(name) && SniffImageFormat(ImageFile(full)) != &kTimedXmlFormat)
            continue;
        files.emplace_back(name);
    }
    return files;
}
