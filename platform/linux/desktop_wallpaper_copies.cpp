#include "platform/linux/desktop_wallpaper_copies.h"

#include "platform/linux/desktop_bitmap.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
namespace {
constexpr const char* kPrefix = "ZelvaroWl-";
}

DesktopWallpaperCopies::DesktopWallpaperCopies(std::string dir) : dir_(std::move(dir)) {}

std::optional<std::string> DesktopWallpaperCopies::Make(const std::string& bmpPath)
{
    const auto stamp = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    const fs::path copy = fs::path(dir_) / (kPrefix + std::to_string(stamp) + "-" + std::to_string(getpid()) + "-" +
                                            std::to_string(++counter_) + ".bmp");
    std::error_code ec;
    fs::create_directories(dir_, ec);
    fs::create_hard_link(bmpPath, copy, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(bmpPath, copy, fs::copy_options::overwrite_existing, ec);
    }
    if (ec) {
        fs::remove(copy, ec);
        return std::nullopt;
    }
    return copy.string();
}

void DesktopWallpaperCopies::Shown(const std::string& copy)
{
    std::error_code ec;
    const fs::path keep(copy);
    std::vector<fs::path> old;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kPrefix, 0) == 0 && it->path() != keep)
            old.push_back(it->path());
    }
    for (const auto& p : old)
        fs::remove(p, ec);
}

void DesktopWallpaperCopies::Discard(const std::string& copy)
{
    std::error_code ec;
    fs::remove(copy, ec);
}

std::optional<std::string> DesktopWallpaperCopies::MakeChecked(const std::string& bmpPath, Desktop::Result& failure)
{
    DesktopBitmap check;
    if (!check.Load(bmpPath)) {
        failure = Desktop::Result::Unreadable;
        return std::nullopt;
    }
    std::optional<std::string> copy = Make(bmpPath);
    if (!copy)
        failure = Desktop::Result::Unavailable;
    return copy;
}

}  // namespace platform
