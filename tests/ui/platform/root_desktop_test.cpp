// SPDX-License-Identifier: GPL-3.0-or-later
// The root window backend against a real X server: the pixmap it leaves in
// _XROOTPMAP_ID is read back, pixel by pixel.
#include "image/formats/bmp/bmp_reader.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/desktop/x11_root_desktop.h"
#include "test_bitmap.h"

#include <gtest/gtest.h>

// After GoogleTest: Xlib's macros (Bool, None) would rename its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using platform::Desktop;

namespace {

// Two monitors side by side, each `width` x `height`, as XRandR lists them,
// for as long as the object lives.
class TwoMonitors {
public:
    TwoMonitors(int width, int height)
    {
        const std::string size = std::to_string(width) + "/100x" + std::to_string(height) + "/100";
        made_ = std::system(("xrandr --setmonitor L " + size + "+0+0 screen && xrandr --setmonitor R " + size + "+" +
                             std::to_string(width) + "+0 none")
                                .c_str()) == 0;
    }
    ~TwoMonitors() { [[maybe_unused]] const int status = std::system("xrandr --delmonitor L; xrandr --delmonitor R"); }
    TwoMonitors(const TwoMonitors&) = delete;
    TwoMonitors& operator=(const TwoMonitors&) = delete;
    bool Made() const { return made_; }

private:
    bool made_ = false;
};

int g_errors = 0;
int CountErrors(Display*, XErrorEvent*)
{
    ++g_errors;
    return 0;
}

class RootDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display";
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        dir = fs::temp_directory_path() / ("zelvaro-root-" + std::to_string(getpid()));
        fs::create_directories(dir);
        // 4 x 2: red green blue white / yellow cyan magenta grey
        WriteTestBmp((dir / "p.bmp").string(), 4, 2,
                     {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0xffff00, 0x00ffff, 0xff00ff, 0x808080});
    }
    void TearDown() override
    {
        if (dpy)
            XCloseDisplay(dpy);
        fs::remove_all(dir);
    }

    Pixmap RootPixmap(const char* atomName)
    {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        Pixmap p = None;
        const Atom atom = XInternAtom(dpy, atomName, False);
        if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), atom, 0, 1, False, XA_PIXMAP, &type, &format, &n, &after,
                               &data) == Success &&
            data && n == 1)
            p = *reinterpret_cast<Pixmap*>(data);
        if (data)
            XFree(data);
        return p;
    }
    std::uint32_t PixelAt(Pixmap p, int x, int y)
    {
        XImage* img = XGetImage(dpy, p, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img)
            return 0xdeadbeef;
        const auto v = static_cast<std::uint32_t>(XGetPixel(img, 0, 0) & 0xffffff);
        XDestroyImage(img);
        return v;
    }
    bool Exists(Pixmap p)
    {
        auto* old = XSetErrorHandler(CountErrors);
        g_errors = 0;
        Window root;
        int x, y;
        unsigned w, h, b, d;
        XGetGeometry(dpy, p, &root, &x, &y, &w, &h, &b, &d);
        XSync(dpy, False);
        XSetErrorHandler(old);
        return g_errors == 0;
    }

    Display* dpy = nullptr;
    fs::path dir;
    platform::MemoryRegistry registry;
};

}  // namespace

TEST_F(RootDesktop, CentredOnBlackThenTiledAsTheRegistrySays)
{
    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    const Pixmap centred = RootPixmap("_XROOTPMAP_ID");
    ASSERT_NE(centred, None);
    EXPECT_EQ(RootPixmap("ESETROOT_PMAP_ID"), centred);
    const int w = DisplayWidth(dpy, 0), h = DisplayHeight(dpy, 0);
    const int x0 = (w - 4) / 2, y0 = (h - 2) / 2;
    EXPECT_EQ(PixelAt(centred, x0, y0), 0xff0000u);
    EXPECT_EQ(PixelAt(centred, x0 + 3, y0), 0xffffffu);
    EXPECT_EQ(PixelAt(centred, x0 + 2, y0 + 1), 0xff00ffu);
    EXPECT_EQ(PixelAt(centred, 0, 0), 0u);
    EXPECT_EQ(PixelAt(centred, x0 + 4, y0), 0u);

    registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1");
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    const Pixmap tiled = RootPixmap("_XROOTPMAP_ID");
    ASSERT_NE(tiled, centred);
    EXPECT_EQ(PixelAt(tiled, 0, 0), 0xff0000u);
    EXPECT_EQ(PixelAt(tiled, 4, 0), 0xff0000u);
    EXPECT_EQ(PixelAt(tiled, 5, 3), 0x00ffffu);
    EXPECT_EQ(PixelAt(tiled, w - 1, h - 1),
              w % 4 == 0 && h % 2 == 0 ? 0x808080u : PixelAt(tiled, (w - 1) % 4, (h - 1) % 2));
    // The previous picture's pixmap was freed with its retained connection.
    EXPECT_FALSE(Exists(centred));
    EXPECT_TRUE(Exists(tiled));
}

// A picture handed over ahead of its file (the upload runs while the file
// is written) shows only when asked; let go, it leaves the wallpaper alone.
TEST_F(RootDesktop, APreparedPictureShowsOnlyWhenAsked)
{
    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    const Pixmap before = RootPixmap("_XROOTPMAP_ID");
    WriteTestBmp((dir / "q.bmp").string(), 2, 2, {0x00ff00, 0x0000ff, 0xffffff, 0xff0000});
    const ImageRead read = ReadBmpFile((dir / "q.bmp").string());
    ASSERT_TRUE(read.Ok());
    {
        auto dropped = desktop.PrepareFrom(read.Picture);
        ASSERT_NE(dropped, nullptr);
    }
    EXPECT_EQ(RootPixmap("_XROOTPMAP_ID"), before);
    EXPECT_TRUE(Exists(before));
    auto prepared = desktop.PrepareFrom(read.Picture);
    ASSERT_NE(prepared, nullptr);
    ASSERT_EQ(prepared->Show(), Desktop::Result::Done);
    const Pixmap shown = RootPixmap("_XROOTPMAP_ID");
    ASSERT_NE(shown, before);
    const int x0 = (DisplayWidth(dpy, 0) - 2) / 2, y0 = (DisplayHeight(dpy, 0) - 2) / 2;
    EXPECT_EQ(PixelAt(shown, x0, y0), 0x00ff00u);
    EXPECT_EQ(PixelAt(shown, x0 + 1, y0 + 1), 0xff0000u);
    EXPECT_FALSE(Exists(before));
    EXPECT_EQ(desktop.PrepareFrom(DibPicture{}), nullptr);  // nothing to hand over
}

// The chain main builds for an X11 session without a desktop of its own
// hands a converted picture over ahead of its file, as the root window does.
TEST_F(RootDesktop, TheProgramsChainHandsThePictureOverEarly)
{
    const auto chain = platform::MakeDesktop(platform::DesktopSession{"", false}, registry, dir.string());
    ASSERT_EQ(chain->Names(), "x11-root");
    WriteTestBmp((dir / "q.bmp").string(), 2, 2, {0x00ff00, 0x0000ff, 0xffffff, 0xff0000});
    const ImageRead read = ReadBmpFile((dir / "q.bmp").string());
    ASSERT_TRUE(read.Ok());
    auto prepared = chain->PrepareFrom(read.Picture);
    ASSERT_NE(prepared, nullptr);
    ASSERT_EQ(prepared->Show(), Desktop::Result::Done);
    prepared.reset();  // as the applier lets it go once shown
    const Pixmap shown = RootPixmap("_XROOTPMAP_ID");
    const int x0 = (DisplayWidth(dpy, 0) - 2) / 2, y0 = (DisplayHeight(dpy, 0) - 2) / 2;
    EXPECT_EQ(PixelAt(shown, x0, y0), 0x00ff00u);
    EXPECT_EQ(PixelAt(shown, x0 + 1, y0 + 1), 0xff0000u);

    // The file route of the same chain, for a bitmap handed over as it is.
    ASSERT_EQ(chain->SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    EXPECT_EQ(PixelAt(RootPixmap("_XROOTPMAP_ID"), (DisplayWidth(dpy, 0) - 4) / 2, (DisplayHeight(dpy, 0) - 2) / 2),
              0xff0000u);
}

TEST_F(RootDesktop, APictureLargerThanTheScreenShowsItsMiddle)
{
    const int w = DisplayWidth(dpy, 0) + 2, h = 2;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0x0000ff);
    pixels[0] = pixels[static_cast<std::size_t>(w)] = 0xff0000;      // column 0, cut off
    pixels[1] = pixels[static_cast<std::size_t>(w) + 1] = 0x00ff00;  // column 1, the screen's first
    WriteTestBmp((dir / "wide.bmp").string(), w, h, pixels);
    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "wide.bmp").string()), Desktop::Result::Done);
    const Pixmap shown = RootPixmap("_XROOTPMAP_ID");
    const int y0 = (DisplayHeight(dpy, 0) - h) / 2;
    EXPECT_EQ(PixelAt(shown, 0, y0), 0x00ff00u);
    EXPECT_EQ(PixelAt(shown, 1, y0), 0x0000ffu);
    EXPECT_EQ(PixelAt(shown, 0, 0), 0u);
}

TEST_F(RootDesktop, LeavesAForeignPixmapAloneWhenThePropertiesDisagree)
{
    // Another program's pixmap in _XROOTPMAP_ID only: it must survive.
    const Pixmap foreign = XCreatePixmap(dpy, DefaultRootWindow(dpy), 8, 8, DefaultDepth(dpy, 0));
    const Atom rootAtom = XInternAtom(dpy, "_XROOTPMAP_ID", False);
    const Atom esetAtom = XInternAtom(dpy, "ESETROOT_PMAP_ID", False);
    XChangeProperty(dpy, DefaultRootWindow(dpy), rootAtom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&foreign), 1);
    XDeleteProperty(dpy, DefaultRootWindow(dpy), esetAtom);
    XSync(dpy, False);
    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    EXPECT_TRUE(Exists(foreign));  // and our own connection is still alive
    XFreePixmap(dpy, foreign);
}

TEST_F(RootDesktop, BrokenFilesAndNoDisplayNeverCrash)
{
    platform::X11RootDesktop desktop(registry);
    std::ofstream(dir / "broken.bmp") << "BM this is not a bitmap";
    EXPECT_EQ(desktop.SetWallpaper((dir / "broken.bmp").string()), Desktop::Result::Unreadable);
    EXPECT_EQ(desktop.SetWallpaper((dir / "missing.bmp").string()), Desktop::Result::Unreadable);
    EXPECT_EQ(desktop.SetWallpaper(dir.string()), Desktop::Result::Unreadable);  // a folder
    const std::string display = std::getenv("DISPLAY");
    setenv("DISPLAY", ":4999", 1);
    EXPECT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Unavailable);
    setenv("DISPLAY", display.c_str(), 1);
}

TEST_F(RootDesktop, CentredOnEachMonitorTiledAcrossTheRoot)
{
    const int w = DisplayWidth(dpy, 0), h = DisplayHeight(dpy, 0), half = w / 2;
    const TwoMonitors monitors(half, h);
    ASSERT_TRUE(monitors.Made());

    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    const Pixmap centred = RootPixmap("_XROOTPMAP_ID");
    const int x0 = (half - 4) / 2, y0 = (h - 2) / 2;
    for (const int left : {0, half}) {
        EXPECT_EQ(PixelAt(centred, left + x0, y0), 0xff0000u) << left;
        EXPECT_EQ(PixelAt(centred, left + x0 + 3, y0 + 1), 0x808080u) << left;
    }
    EXPECT_EQ(PixelAt(centred, (w - 4) / 2, y0), 0u);  // nothing across the join

    registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1");
    ASSERT_EQ(desktop.SetWallpaper((dir / "p.bmp").string()), Desktop::Result::Done);
    const Pixmap tiled = RootPixmap("_XROOTPMAP_ID");
    EXPECT_EQ(PixelAt(tiled, half + 1, 1), PixelAt(tiled, (half + 1) % 4, 1));
    EXPECT_EQ(PixelAt(tiled, 0, 0), 0xff0000u);
}

// A picture taller than the screen goes to the server a band of rows at a
// time: every row of each monitor's middle, and of the tiled root, comes from
// the right row of the picture, across the bands' joins.
TEST_F(RootDesktop, EveryRowOfATallPictureArrivesInItsPlace)
{
    const int w = DisplayWidth(dpy, 0), h = DisplayHeight(dpy, 0), half = w / 2;
    const TwoMonitors monitors(half, h);
    ASSERT_TRUE(monitors.Made());
    // Each row its own colour; 40 rows more than the screen, so a centred
    // picture shows rows 20 on.
    const int pw = 300, ph = h + 40;
    const auto rowColour = [](int y) {
        return static_cast<std::uint32_t>(((y >> 8) << 16) | ((y & 0xff) << 8) | 0x40);
    };
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(pw) * ph);
    for (int y = 0; y < ph; ++y)
        std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * pw, pw, rowColour(y));
    WriteTestBmp((dir / "tall.bmp").string(), pw, ph, pixels);
    // The rows of the root's column x whose colour is not the picture row
    // `first` + their own.
    const auto wrongRows = [&](Pixmap p, int x, int first) {
        XImage* column = XGetImage(dpy, p, x, 0, 1, static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!column)
            return h;
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            wrong += (XGetPixel(column, 0, y) & 0xffffff) != rowColour(first + y);
        XDestroyImage(column);
        return wrong;
    };

    platform::X11RootDesktop desktop(registry);
    ASSERT_EQ(desktop.SetWallpaper((dir / "tall.bmp").string()), Desktop::Result::Done);
    const Pixmap centred = RootPixmap("_XROOTPMAP_ID");
    for (const int left : {0, half}) {
        EXPECT_EQ(wrongRows(centred, left + (half - pw) / 2, 20), 0) << left;
        EXPECT_EQ(wrongRows(centred, left + (half - pw) / 2 + pw - 1, 20), 0) << left;
    }
    registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1");
    ASSERT_EQ(desktop.SetWallpaper((dir / "tall.bmp").string()), Desktop::Result::Done);
    const Pixmap tiled = RootPixmap("_XROOTPMAP_ID");
    EXPECT_EQ(wrongRows(tiled, 0, 0), 0);
    EXPECT_EQ(wrongRows(tiled, pw + 7, 0), 0);
}
