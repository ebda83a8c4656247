// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/monitor_composition.h"

#include "image/fit/screen_fit.h"

#include <algorithm>
#include <cstring>

namespace {

// The monitor clipped to the canvas.
WallMonitor Clip(const WallMonitor& m, const DibPicture& canvas)
{
    const int x0 = std::max(0, m.x), y0 = std::max(0, m.y);
    const int x1 = std::min(canvas.Width, m.x + m.width), y1 = std::min(canvas.Height, m.y + m.height);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// Copies the picture's pixel (px, py) to the canvas's (cx, cy).
void CopyPixel(const DibPicture& picture, int px, int py, DibPicture& canvas, int cx, int cy)
{
    uint8_t* out = canvas.TopRow(cy) + 3 * static_cast<size_t>(cx);
    if (picture.BitCount == 24) {
        std::memcpy(out, picture.TopRow(py) + 3 * static_cast<size_t>(px), 3);
        return;
    }
    const RgbQuad c = picture.PixelAt(px, py);
    out[0] = c.Blue, out[1] = c.Green, out[2] = c.Red;
}

// Every canvas pixel of `area` takes the picture's pixel at (x - originX,
// y - originY), wrapped round the picture when tiling; pixels that fall
// outside an untiled picture stay as they are.
void Paint(const DibPicture& picture, const WallMonitor& area, int originX, int originY, bool tiled, DibPicture& canvas)
{
    for (int y = area.y; y < area.y + area.height; ++y) {
        int py = y - originY;
        if (tiled)
            py %= picture.Height;
        if (py < 0 || py >= picture.Height)
            continue;
        int x = area.x, end = area.x + area.width;
        if (!tiled) {  // only the columns the picture covers
            x = std::max(x, originX);
            end = std::min(end, originX + picture.Width);
        }
        if (picture.BitCount == 24 && !tiled && x < end) {
            std::memcpy(canvas.TopRow(y) + 3 * static_cast<size_t>(x),
                        picture.TopRow(py) + 3 * static_cast<size_t>(x - originX), 3 * static_cast<size_t>(end - x));
            continue;
        }
        for (; x < end; ++x)
            CopyPixel(picture, (x - originX) % picture.Width, py, canvas, x, y);
    }
}

}  // namespace

std::vector<WallMonitor> MonitorsOnScreen(const std::vector<WallMonitor>& monitors, int screenWidth, int screenHeight,
                                          std::vector<WallMonitor>* ignored)
{
    const WallMonitor screen{0, 0, std::max(0, screenWidth), std::max(0, screenHeight)};
    std::vector<WallMonitor> shown;
    for (const WallMonitor& m : monitors) {
        // In 64 bits, so a monitor far out or of a huge size cannot wrap.
        const auto x0 = std::max<long long>(0, m.x), y0 = std::max<long long>(0, m.y);
        const auto x1 = std::min<long long>(screen.width, static_cast<long long>(m.x) + std::max(0, m.width));
        const auto y1 = std::min<long long>(screen.height, static_cast<long long>(m.y) + std::max(0, m.height));
        if (x1 <= x0 || y1 <= y0) {
            if (ignored)
                ignored->push_back(m);
            continue;
        }
        const WallMonitor clipped{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                                  static_cast<int>(y1 - y0)};
        if (std::find(shown.begin(), shown.end(), clipped) == shown.end())
            shown.push_back(clipped);
    }
    if (shown.empty() && screen.width > 0 && screen.height > 0)
        shown.push_back(screen);
    return shown;
}

WallMonitor MonitorsExtent(const std::vector<WallMonitor>& monitors)
{
    WallMonitor extent;
    for (const WallMonitor& m : monitors) {
        extent.width = std::max(extent.width, m.x + m.width);
        extent.height = std::max(extent.height, m.y + m.height);
    }
    return extent;
}

bool StartComposition(int width, int height, DibPicture& canvas)
{
    canvas.Clear();
    return canvas.Allocate(width, height, 24);
}

bool LayOnMonitor(const DibPicture& picture, const WallMonitor& monitor, platform::WallpaperMode mode,
                  DibPicture& canvas)
{
    using platform::WallpaperMode;
    if (picture.Empty() || canvas.BitCount != 24 || monitor.width <= 0 || monitor.height <= 0)
        return false;
    const WallMonitor area = Clip(monitor, canvas);
    if (mode == WallpaperMode::Tile) {
        Paint(picture, area, monitor.x, monitor.y, true, canvas);
        return true;
    }
    if (mode == WallpaperMode::Centre) {
        Paint(picture, area, monitor.x + (monitor.width - picture.Width) / 2,
              monitor.y + (monitor.height - picture.Height) / 2, false, canvas);
        return true;
    }
    const ScreenFit fit = mode == WallpaperMode::Fit       ? ScreenFit::Fit
                          : mode == WallpaperMode::Stretch ? ScreenFit::Stretch
                                                           : ScreenFit::Fill;
    DibPicture fitted;
    if (!FitToScreen(picture, fit, monitor.width, monitor.height, fitted))
        return false;
    Paint(fitted, area, monitor.x, monitor.y, false, canvas);
    return true;
}
