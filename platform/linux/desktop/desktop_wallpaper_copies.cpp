// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/desktop_wallpaper_copies.h"

#include "platform/linux/desktop/desktop_bitmap.h"
#include "platform/linux/desktop/png_copy.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

std::string DesktopWallpaperCopies::OwnerTag(const std::string& display)
{
    std::string tag = display.empty() ? "none" : display;
    for (char& c : tag)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'))
            c = '_';
    return tag;
}

std::string DesktopWallpaperCopies::OwnerOfDisplay()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        display = std::getenv("WAYLAND_DISPLAY");
    return OwnerTag(display ? display : "");
}

DesktopWallpaperCopies::DesktopWallpaperCopies(std::string dir, Format format, std::string owner)
    : dir_(std::move(dir)), format_(format), prefix_("ZelvaroWl-" + OwnerTag(owner) + "-")
{}

std::string DesktopWallpaperCopies::NewName(const char* extension)
{
    const auto stamp = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    return (fs::path(dir_) / (prefix_ + std::to_string(stamp) + "-" + std::to_string(getpid()) + "-" +
                              std::to_string(++counter_) + extension))
        .string();
}

std::optional<std::string> DesktopWallpaperCopies::Make(const std::string& bmpPath)
{
    const fs::path copy = NewName(".bmp");
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
    Shown(std::vector<std::string>{copy});
}

void DesktopWallpaperCopies::Shown(const std::vector<std::string>& copies)
{
    std::error_code ec;
    const std::vector<fs::path> keep(copies.begin(), copies.end());
    std::vector<fs::path> old;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix_, 0) == 0 && std::find(keep.begin(), keep.end(), it->path()) == keep.end())
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
    std::optional<std::string> copy;
    if (format_ == Format::Bmp) {
        copy = Make(bmpPath);
    } else {
        std::error_code ec;
        fs::create_directories(dir_, ec);
        copy = NewName(".png");
        if (!WritePngCopy(*copy, check)) {
            Discard(*copy);
            copy.reset();
        }
    }
    if (!copy)
        failure = Desktop::Result::Unavailable;
    return copy;
}

std::optional<std::string> DesktopWallpaperCopies::MakePart(const DesktopBitmap& bitmap, int x, int y, int width,
                                                            int height)
{
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(bitmap.Width(), x + width), y1 = std::min(bitmap.Height(), y + height);
    DibPicture part;
    if (x1 <= x0 || y1 <= y0 || !part.Allocate(x1 - x0, y1 - y0, 24, false))
        return std::nullopt;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(bitmap.Width()));
    for (int r = 0; r < part.Height; ++r) {
        bitmap.Row(y0 + r, row.data());
        std::uint8_t* out = part.TopRow(r);
        for (int c = 0; c < part.Width; ++c) {
            const std::uint32_t p = row[static_cast<std::size_t>(x0 + c)];
            out[3 * c] = p & 0xff, out[3 * c + 1] = (p >> 8) & 0xff, out[3 * c + 2] = (p >> 16) & 0xff;
        }
    }
    DesktopBitmap partBitmap;
    partBitmap.Use(part);
    std::error_code ec;
    fs::create_directories(dir_, ec);
    std::string copy = NewName(".png");
    if (!WritePngCopy(copy, partBitmap)) {
        Discard(copy);
        return std::nullopt;
    }
    return copy;
}

}  // namespace platform
