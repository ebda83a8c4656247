// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/x11_root_desktop.h"

#include "platform/linux/desktop/desktop_bitmap.h"
#include "platform/linux/desktop/x11_monitors.h"
#include "platform/linux/shared/x11_display.h"
#include "platform/wallpaper_mode.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

// Xlib's status macros clash with nothing here: this file includes no Qt header.

namespace platform {
namespace {

constexpr const char* kRootPixmapAtom = "_XROOTPMAP_ID";
constexpr const char* kSetRootPixmapAtom = "ESETROOT_PMAP_ID";

// Xlib reports protocol errors through a process-wide handler whose default
// ends the process. While we talk to the server the errors are counted
// instead; Qt talks to the server through xcb and never sees this handler.
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*)
{
    ++g_xErrors;
    return 0;
}

class ErrorTrap {
public:
    ErrorTrap() : previous_(XSetErrorHandler(CountXError)) { g_xErrors = 0; }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    bool Failed(Display* dpy) const
    {
        XSync(dpy, False);
        return g_xErrors != 0;
    }

private:
    int (*previous_)(Display*, XErrorEvent*);
};

Pixmap ReadPixmapProperty(Display* dpy, Window root, Atom atom)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    Pixmap result = None;
    if (XGetWindowProperty(dpy, root, atom, 0, 1, False, XA_PIXMAP, &type, &format, &items, &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && items == 1 && data)
        result = *reinterpret_cast<Pixmap*>(data);
    if (data)
        XFree(data);
    return result;
}

int MaskShift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int MaskBits(unsigned long mask)
{
    int bits = 0;
    for (mask >>= MaskShift(mask); mask & 1; mask >>= 1)
        ++bits;
    return bits;
}

// A shared memory segment the server reads the picture from, a band of rows
// at a time, kept for the whole run so a change neither sends the picture
// through the socket nor faults in fresh pages. It is marked for removal as soon as it exists, so it
// goes away with the process whatever happens.
struct SharedSegment {
    int id = -1;
    char* addr = nullptr;
    std::size_t size = 0;

    bool Reserve(std::size_t bytes)
    {
        if (addr && size >= bytes)
            return true;
        Release();
        id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (id < 0)
            return false;
        void* at = shmat(id, nullptr, 0);
        shmctl(id, IPC_RMID, nullptr);
        if (at == reinterpret_cast<void*>(-1)) {
            id = -1;
            return false;
        }
        addr = static_cast<char*>(at);
        size = bytes;
        return true;
    }
    void Release()
    {
        if (addr)
            shmdt(addr);
        addr = nullptr;
        id = -1;
        size = 0;
    }
};
SharedSegment g_segment;

// An XImage whose pixels live in the shared segment (attached to the server
// for this connection) or, where the server cannot share memory (a remote
// display), on the heap.
struct PictureImage {
    XImage* image = nullptr;
    XShmSegmentInfo shm{};
    bool shared = false;
};

bool CreatePictureImage(Display* dpy, Visual* visual, int depth, int width, int height, PictureImage& out)
{
    const auto w = static_cast<unsigned>(width), h = static_cast<unsigned>(height);
    if (XShmQueryExtension(dpy)) {
        XImage* image = XShmCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &out.shm, w, h);
        if (image && g_segment.Reserve(static_cast<std::size_t>(image->bytes_per_line) * h)) {
            out.shm.shmid = g_segment.id;
            out.shm.shmaddr = image->data = g_segment.addr;
            out.shm.readOnly = False;
            ErrorTrap attach;
            if (XShmAttach(dpy, &out.shm) && !attach.Failed(dpy)) {
                out.image = image;
                out.shared = true;
                return true;
            }
            g_xErrors = 0;  // no shared memory with this server: the plain way below
            image->data = nullptr;
        }
        if (image)
            XDestroyImage(image);
    }
    XImage* image = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!image)
        return false;
    image->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * h));
    if (!image->data) {
        XDestroyImage(image);
        return false;
    }
    out.image = image;
    return true;
}

// Puts the rectangle (srcX, srcY, w, h) of the picture at (x, y).
void PutPicturePart(Display* dpy, Drawable target, GC gc, const PictureImage& picture, int srcX, int srcY, int x, int y,
                    int w, int h)
{
    const auto uw = static_cast<unsigned>(w), uh = static_cast<unsigned>(h);
    if (picture.shared)
        XShmPutImage(dpy, target, gc, picture.image, srcX, srcY, x, y, uw, uh, False);
    else
        XPutImage(dpy, target, gc, picture.image, srcX, srcY, x, y, uw, uh);
}

// The server is done with the shared pixels once a round trip has passed.
void DestroyPictureImage(Display* dpy, PictureImage& picture)
{
    if (!picture.image)
        return;
    if (picture.shared) {
        XSync(dpy, False);
        XShmDetach(dpy, &picture.shm);
        picture.image->data = nullptr;  // the segment stays for the next change
    }
    XDestroyImage(picture.image);
    picture.image = nullptr;
}

// The part of the picture the screen shows: a centred picture larger than
// the screen shows its middle, a tile only its top-left screenful. So no
// buffer here is larger than the screen, whatever the picture's size.
struct Visible {
    int srcX, srcY, width, height;  // in the picture
    int dstX, dstY;                 // on the screen (centred only)
};

Visible VisiblePart(int w, int h, int screenW, int screenH, bool tiled)
{
    if (tiled)
        return {0, 0, std::min(w, screenW), std::min(h, screenH), 0, 0};
    const int dx = (screenW - w) / 2, dy = (screenH - h) / 2;
    return {std::max(0, -dx),     std::max(0, -dy), std::min(w, screenW),
            std::min(h, screenH), std::max(0, dx),  std::max(0, dy)};
}

// The size a centred picture is cut to: the largest monitor's, so every
// monitor's middle is in the cut.
X11Monitor LargestExtent(const std::vector<X11Monitor>& monitors)
{
    X11Monitor largest;
    for (const X11Monitor& m : monitors) {
        largest.width = std::max(largest.width, m.width);
        largest.height = std::max(largest.height, m.height);
    }
    return largest;
}

// One axis of a centred picture on one monitor: where on the monitor, and
// which span of the cut (which starts at `cutStart` of the picture, `cutSize`
// long) shows there.
struct Span {
    int cutFrom, to, length;
};

Span CentreSpan(int pictureSize, int cutStart, int cutSize, int monitorStart, int monitorSize)
{
    const int offset = (monitorSize - pictureSize) / 2;
    int from = std::max(0, -offset) - cutStart;
    int to = monitorStart + std::max(0, offset);
    int length = std::min(pictureSize, monitorSize);
    if (from < 0) {  // rounding put the monitor's span a pixel outside the cut
        length += from;
        to -= from;
        from = 0;
    }
    return {from, to, std::min(length, cutSize - from)};
}

// A centred picture is centred on each monitor, not across the join; the
// rest of the root stays black. `picture` holds the rows [bandFrom,
// bandFrom + its height) of the visible part; each monitor gets those of
// its rows that fall in the band.
void CentreBandOnMonitors(Display* dpy, Drawable target, GC gc, const PictureImage& picture, const Visible& part,
                          int bandFrom, int bandRows, int pictureW, int pictureH,
                          const std::vector<X11Monitor>& monitors)
{
    for (const X11Monitor& m : monitors) {
        const Span x = CentreSpan(pictureW, part.srcX, part.width, m.x, m.width);
        const Span y = CentreSpan(pictureH, part.srcY, part.height, m.y, m.height);
        const int from = std::max(y.cutFrom, bandFrom), to = std::min(y.cutFrom + y.length, bandFrom + bandRows);
        if (x.length > 0 && to > from)
            PutPicturePart(dpy, target, gc, picture, x.cutFrom, from - bandFrom, x.to, y.to + (from - y.cutFrom),
                           x.length, to - from);
    }
}

// An XImage of the visible part in the server's pixel format. The common 24-
// and 32-bit true-colour screens take the 0xAARRGGBB pixels as they are;
// other true-colour formats are packed through the visual's masks.
void FillXImage(XImage* image, Visual* visual, const DesktopBitmap& bitmap, const Visible& part)
{
    const bool whole = part.srcX == 0 && part.width == bitmap.Width();
    std::vector<std::uint32_t> row(whole ? 0 : static_cast<std::size_t>(bitmap.Width()));
    const bool direct = image->bits_per_pixel == 32 && visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 &&
                        visual->blue_mask == 0xff;
    if (direct) {
        // The host's byte order for these pixels; Xlib swaps for the server.
        const std::uint32_t one = 1;
        image->byte_order = *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
        for (int y = 0; y < part.height; ++y) {
            auto* out = reinterpret_cast<std::uint32_t*>(
                image->data + static_cast<std::size_t>(y) * static_cast<std::size_t>(image->bytes_per_line));
            if (whole) {
                bitmap.Row(part.srcY + y, out);
                continue;
            }
            bitmap.Row(part.srcY + y, row.data());
            std::memcpy(out, row.data() + part.srcX, static_cast<std::size_t>(part.width) * 4);
        }
        return;
    }
    const unsigned long masks[3] = {visual->red_mask, visual->green_mask, visual->blue_mask};
    row.resize(static_cast<std::size_t>(bitmap.Width()));
    for (int y = 0; y < part.height; ++y) {
        bitmap.Row(part.srcY + y, row.data());
        for (int x = 0; x < part.width; ++x) {
            const std::uint32_t p = row[static_cast<std::size_t>(part.srcX + x)];
            const unsigned channel[3] = {(p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff};
            unsigned long value = 0;
            for (int c = 0; c < 3; ++c) {
                const int bits = MaskBits(masks[c]);
                value |= (static_cast<unsigned long>(channel[c]) >> (8 - std::min(bits, 8))) << MaskShift(masks[c]);
            }
            XPutPixel(image, x, y, value);
        }
    }
}

// The visible part goes to the server a band of rows at a time through one
// band-sized image, so neither the process nor the shared segment it keeps
// for the whole run holds a screenful of pixels.
constexpr std::size_t kBandBytes = std::size_t{512} * 1024;

int BandRows(int width, int height)
{
    const std::size_t row = static_cast<std::size_t>(std::max(width, 1)) * 4;
    return std::clamp(static_cast<int>(kBandBytes / row), 1, std::max(height, 1));
}

bool DrawPicture(Display* dpy, Window root, Pixmap target, GC gc, Visual* visual, int depth, const Visible& part,
                 int screenW, int screenH, bool tiled, const DesktopBitmap& bitmap,
                 const std::vector<X11Monitor>& monitors)
{
    const int bandRows = BandRows(part.width, part.height);
    PictureImage picture;
    // The server failing us (out of memory for the pixmap, say) will not get
    // better within the retries, so this is no case for asking again.
    if (!CreatePictureImage(dpy, visual, depth, part.width, bandRows, picture))
        return false;
    XSetForeground(dpy, gc, BlackPixel(dpy, DefaultScreen(dpy)));
    // Tiled: the picture is gathered in a pixmap repeated from the top-left
    // corner. Centred: on black.
    Pixmap tile = None;
    if (tiled)
        tile = XCreatePixmap(dpy, root, static_cast<unsigned>(part.width), static_cast<unsigned>(part.height),
                             static_cast<unsigned>(depth));
    else if (monitors.size() > 1 || part.width < screenW || part.height < screenH)
        XFillRectangle(dpy, target, gc, 0, 0, static_cast<unsigned>(screenW), static_cast<unsigned>(screenH));
    for (int from = 0; from < part.height; from += bandRows) {
        const int rows = std::min(bandRows, part.height - from);
        // The server has read the shared band before it is filled again.
        if (picture.shared && from > 0)
            XSync(dpy, False);
        FillXImage(picture.image, visual, bitmap, Visible{part.srcX, part.srcY + from, part.width, rows, 0, 0});
        if (tiled)
            PutPicturePart(dpy, tile, gc, picture, 0, 0, 0, from, part.width, rows);
        else
            CentreBandOnMonitors(dpy, target, gc, picture, part, from, rows, bitmap.Width(), bitmap.Height(), monitors);
    }
    if (tiled) {
        XSetTile(dpy, gc, tile);
        XSetFillStyle(dpy, gc, FillTiled);
        XSetTSOrigin(dpy, gc, 0, 0);
        XFillRectangle(dpy, target, gc, 0, 0, static_cast<unsigned>(screenW), static_cast<unsigned>(screenH));
        XSetFillStyle(dpy, gc, FillSolid);
        XFreePixmap(dpy, tile);
    }
    DestroyPictureImage(dpy, picture);
    return true;
}

// One hand-over of a picture to the server: its own connection, so the
// pixmap can outlive it (RetainPermanent) without touching the connection
// the windows use, and a pixmap of the screen's size drawn with the picture.
struct RootUpload {
    // The trap outlives the connection: closing it syncs, and a late error
    // must not reach the default handler.
    ErrorTrap trap;
    X11Display display;
    Pixmap pixmap = None;
    bool shown = false;
    Desktop::Result result = Desktop::Result::Unavailable;  // Done once the pixmap holds the picture

    RootUpload() = default;
    RootUpload(const RootUpload&) = delete;
    RootUpload& operator=(const RootUpload&) = delete;
    ~RootUpload()
    {
        if (display && pixmap != None && !shown)
            XFreePixmap(display.get(), pixmap);
    }
};

// Draws the picture (`held`, or the file when none) into a new pixmap.
void Upload(RootUpload& up, const std::string& bmpPath, const DibPicture* held, bool tiled)
{
    up.display.reset(XOpenDisplay(nullptr));
    if (!up.display)
        return;
    Display* dpy = up.display.get();
    const int screen = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, screen);
    const int screenW = DisplayWidth(dpy, screen), screenH = DisplayHeight(dpy, screen);
    const int depth = DefaultDepth(dpy, screen);
    Visual* visual = DefaultVisual(dpy, screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        return;  // palette screens are long gone; refuse rather than show garbage

    // Read once the display is there, so retries without a display cost nothing.
    DesktopBitmap bitmap;
    if (held && !held->Empty())
        bitmap.Use(*held);
    else if (!bitmap.Load(bmpPath)) {
        up.result = Desktop::Result::Unreadable;
        return;
    }
    const std::vector<X11Monitor> monitors = X11Monitors(dpy);
    const X11Monitor cut = tiled ? X11Monitor{0, 0, screenW, screenH} : LargestExtent(monitors);
    const Visible part = VisiblePart(bitmap.Width(), bitmap.Height(), cut.width, cut.height, tiled);
    up.pixmap = XCreatePixmap(dpy, root, static_cast<unsigned>(screenW), static_cast<unsigned>(screenH),
                              static_cast<unsigned>(depth));
    GC gc = XCreateGC(dpy, up.pixmap, 0, nullptr);
    const bool drawn = DrawPicture(dpy, root, up.pixmap, gc, visual, depth, part, screenW, screenH, tiled, bitmap,
                                   monitors);
    XFreeGC(dpy, gc);
    if (drawn && !up.trap.Failed(dpy))
        up.result = Desktop::Result::Done;
}

// Makes the uploaded pixmap the root window's background.
Desktop::Result ShowUploaded(RootUpload& up)
{
    if (up.result != Desktop::Result::Done)
        return up.result;
    Display* dpy = up.display.get();
    const Window root = RootWindow(dpy, DefaultScreen(dpy));
    const Atom rootAtom = XInternAtom(dpy, kRootPixmapAtom, False);
    const Atom setRootAtom = XInternAtom(dpy, kSetRootPixmapAtom, False);
    // The previous setter's pixmap is freed by ending its retained client, but
    // only when both properties name it: otherwise it may belong to a running
    // program.
    const Pixmap oldRoot = ReadPixmapProperty(dpy, root, rootAtom);
    const Pixmap oldSetRoot = ReadPixmapProperty(dpy, root, setRootAtom);
    if (oldRoot != None && oldRoot == oldSetRoot)
        XKillClient(dpy, oldRoot);
    XSync(dpy, False);
    g_xErrors = 0;  // a stale id left by a setter that already went away is no failure

    XChangeProperty(dpy, root, rootAtom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&up.pixmap), 1);
    XChangeProperty(dpy, root, setRootAtom, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&up.pixmap), 1);
    XSetWindowBackgroundPixmap(dpy, root, up.pixmap);
    XClearWindow(dpy, root);
    up.shown = true;  // from here the server owns the pixmap
    if (up.trap.Failed(dpy))
        return Desktop::Result::Unavailable;
    XSetCloseDownMode(dpy, RetainPermanent);
    return Desktop::Result::Done;  // closing the connection flushes and keeps the pixmap
}

// A picture uploaded on a thread of its own while the caller writes the file.
// Only this thread talks over the upload's connection until Show joins it.
class RootPrepared : public Desktop::Prepared {
public:
    RootPrepared(const DibPicture& picture, bool tiled)
        : worker_([this, &picture, tiled] {
              try {
                  Upload(upload_, {}, &picture, tiled);
              } catch (...) {
                  upload_.result = Desktop::Result::Unavailable;
              }
          })
    {}
    ~RootPrepared() override
    {
        if (worker_.joinable())
            worker_.join();
    }
    RootPrepared(const RootPrepared&) = delete;
    RootPrepared& operator=(const RootPrepared&) = delete;

    Desktop::Result Show() override
    {
        if (worker_.joinable())
            worker_.join();
        return ShowUploaded(upload_);
    }

private:
    RootUpload upload_;
    std::thread worker_;  // after upload_, which it fills
};

}  // namespace

X11RootDesktop::X11RootDesktop(const Registry& registry) : registry_(registry)
{}

Desktop::Result X11RootDesktop::SetWallpaper(const std::string& bmpPath)
{
    return Set(bmpPath, nullptr);
}

Desktop::Result X11RootDesktop::SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture)
{
    return Set(bmpPath, &picture);
}

// A spanned picture (and a composed one) is made at the size of the whole
// screen, so it is laid from the top-left corner like a tile; a fitted,
// filled or stretched one is made at the monitor's size and centred like a
// centred one.
bool X11RootDesktop::FromTheCorner() const
{
    const WallpaperMode mode = ShownMode(registry_);
    return mode == WallpaperMode::Tile || mode == WallpaperMode::Span;
}

std::unique_ptr<Desktop::Prepared> X11RootDesktop::PrepareFrom(const DibPicture& picture)
{
    if (picture.Empty())
        return nullptr;
    return std::make_unique<RootPrepared>(picture, FromTheCorner());
}

Desktop::Result X11RootDesktop::Set(const std::string& bmpPath, const DibPicture* held)
{
    RootUpload upload;
    Upload(upload, bmpPath, held, FromTheCorner());
    return ShowUploaded(upload);
}

}  // namespace platform
