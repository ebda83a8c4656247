#include "wallpaper/wall_files.h"

#include "wallpaper/wall_image.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> LoadWallFiles(const std::string& dir)
{
    std::vector<std::string> files;
    if (dir.empty())
        return files;
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    // The name test runs first: it needs no system call, and in a large
    // directory most entries are not images.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!IsWallImage(name))
            continue;
        // Follows a symbolic link, so a link to a directory is skipped like the
        // directory itself; a dangling link is kept (it will fail to read).
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        files.push_back(std::move(name));
    }
    return files;
}
