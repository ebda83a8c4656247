// SPDX-License-Identifier: GPL-3.0-or-later
// One wallpaper operation per run, for the comparisons with peer tools in
// bench/compare.d/wallpaper.sh (timed from outside, process start included,
// like the peers):
//   wallpaper_apply_tool apply <image> <scratch dir> [colordec]
//       ApplyWallPaper, centred, on the desktop chain the program builds for
//       the running session (the X11 root window in the comparison's plain X
//       session); exits once the desktop shows it
//   wallpaper_apply_tool inproc <runs> <image> <scratch dir> [colordec]
//       the same inside one process, as the running clock does it; prints
//       the median milliseconds of one ApplyWallPaper
// With WALLPAPER_STYLE set ("10" fill, "6" fit, ...), the picture is shown in
// that mode, made at the size of the first monitor.
//   wallpaper_apply_tool copy <runs> <bmp> <scratch dir> png|bmp
//       the copy a desktop service is handed (a PNG for the desktops that
//       read through gdk-pixbuf, a link to the bitmap for the others); prints
//       the median milliseconds of one copy
#include "platform/fake/fake_clock.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/linux/desktop/x11_monitors.h"
#include "platform/wallpaper_mode.h"
#include "wallpaper/image_wall_converter.h"
#include "wallpaper/wall_applier.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace {
class NoHost : public WallApplyHost {
    void BeginBusy() override {}
    void EndBusy() override {}
    void ProcessPendingEvents() override {}
};

// The first monitor, and every monitor's extent, as XRandR gives them.
WallScreens X11Screens()
{
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return {};
    const auto monitors = platform::X11Monitors(dpy);
    WallScreens s;
    if (!monitors.empty())
        s.width = monitors[0].width, s.height = monitors[0].height;
    s.spanWidth = DisplayWidth(dpy, DefaultScreen(dpy));
    s.spanHeight = DisplayHeight(dpy, DefaultScreen(dpy));
    XCloseDisplay(dpy);
    return s;
}

std::string BitmapPath(const char* scratch)
{
    return std::string(scratch) + "/ZelvaroWl.BMP";
}

int Apply(const char* image, const char* scratch, bool colorDec)
{
    static platform::MemoryRegistry registry;
    if (const char* style = std::getenv("WALLPAPER_STYLE"))
        registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "WallpaperStyle", style);
    // The same factory as main's, so the route measured is the one that ships.
    static const auto desktop = platform::MakeDesktop(platform::CurrentSession(), registry, scratch);
    static auto converter = MakeImageWallConverter(registry, X11Screens);
    static platform::FakeClock clock(46000);
    static NoHost host;
    static ClockSettings settings;
    static WallSchedule schedule;
    settings.ColorDecSw = colorDec;
    WallApplier applier(*desktop, *converter, clock, host, settings, schedule, BitmapPath(scratch));
    return applier.ApplyWallPaper(image) == WallApplier::Outcome::Applied ? 0 : 1;
}

// The running clock writes its wallpaper bitmap minutes after the last one,
// long after the disk has it. Runs a few milliseconds apart would instead
// wait, when the new file replaces the old, for the old one's writing to
// end; the old file is put on the disk first, outside the timing.
void SettleLastBitmap(const char* scratch)
{
    const int fd = ::open(BitmapPath(scratch).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::close(fd);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "inproc") == 0) {
        const int runs = std::max(1, std::atoi(argv[2]));
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            SettleLastBitmap(argv[4]);
            const auto t0 = std::chrono::steady_clock::now();
            if (Apply(argv[3], argv[4], argc >= 6 && std::strcmp(argv[5], "colordec") == 0) != 0)
                return 1;
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%.2f\n", ms[ms.size() / 2]);
        return 0;
    }
    if (argc >= 6 && std::strcmp(argv[1], "copy") == 0) {
        using Copies = platform::DesktopWallpaperCopies;
        Copies copies(argv[4], std::strcmp(argv[5], "png") == 0 ? Copies::Format::Png : Copies::Format::Bmp);
        std::vector<double> ms;
        for (int i = 0; i < std::max(1, std::atoi(argv[2])); ++i) {
            platform::Desktop::Result failure = platform::Desktop::Result::Done;
            const auto t0 = std::chrono::steady_clock::now();
            const auto copy = copies.MakeChecked(argv[3], failure);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
            if (!copy)
                return 1;
            copies.Shown(*copy);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%.2f\n", ms[ms.size() / 2]);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "apply") == 0)
        return Apply(argv[2], argv[3], argc >= 5 && std::strcmp(argv[4], "colordec") == 0);
    std::fprintf(stderr,
                 "usage: %s apply <image> <scratch dir> [colordec] | inproc <runs> <image> <scratch dir> [colordec]\n",
                 argv[0]);
    return 2;
}
