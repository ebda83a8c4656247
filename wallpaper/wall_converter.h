// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting an image file into the bitmap the desktop shows. The image
// component and its format table sit behind this.

#include "image/formats/dynamic/dynamic_moment.h"
#include "image/image_format.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class DibPicture;

// The depth a converted bitmap is written at.
enum class WallWriteRes {
    AutoMatic,  // the display's depth
    Color256,   // 8 bits per pixel, 256 colours
};

// With colour reduction on, Photo CD pictures are always written with 256
// colours; other images only when they have more than 8 bits per pixel.
WallWriteRes ChooseWallWriteRes(bool photoCd, bool colorDecSw, int imageBitCount);

// What a failed conversion has to tell the user: the text of its box, and
// whether that is the image component's "情報" box or a plain box under the
// application title (the Photo CD reader's). An empty text tells nothing.
struct WallNotice {
    std::string text;  // with `argument`, a pattern whose "%s" takes it
    bool information = true;
    std::string argument;
    bool logged = false;  // the log has the failure already, in its own words
};

class WallConverter {
public:
    virtual ~WallConverter() = default;
    // Reads the opened `file` (of `format` when the caller has told it;
    // nothing: told here) and writes it as a BMP to `bmpPath`, reduced to 256
    // colours as ChooseWallWriteRes says. False when
    // the file could not be read or the bitmap not written; FailureNotice then
    // says what to tell the user, and `bmpPath` may hold a partial file,
    // which the caller removes.
    virtual bool ConvertToBmp(const ImageFile& file, const ImageFormat* format, bool colorDecSw,
                              const std::string& bmpPath) = 0;
    // A picture per monitor: reads files[i] for monitor i and writes one BMP
    // of the whole screen to `bmpPath`, each picture laid at its monitor's
    // place in the registry's mode (LayOnMonitor), reduced to 256 colours as
    // ChooseWallWriteRes says for a 24-bit picture. False when a file could
    // not be read or the bitmap not written: `failed` is then the file's
    // index (files.size() for the write), FailureNotice says what to tell.
    virtual bool ConvertPerMonitor(const std::vector<std::string>& files, bool colorDecSw, const std::string& bmpPath,
                                   std::size_t& failed)
    {
        static_cast<void>(files), static_cast<void>(colorDecSw), static_cast<void>(bmpPath);
        failed = 0;
        return false;
    }
    // How many monitors ConvertPerMonitor makes a picture for; 1 when there
    // is one monitor (or it cannot tell).
    virtual std::size_t MonitorCount() const { return 1; }
    // The picture the last successful conversion wrote, when the converter
    // still holds it exactly as written; nothing otherwise.
    virtual const DibPicture* WrittenPicture() const { return nullptr; }
    // What the last failed conversion has to tell the user.
    virtual WallNotice FailureNotice() const { return {}; }
    // Whether a picture is remade at the screen's size now (fitted, filled,
    // stretched or spanned): then even a bitmap goes through ConvertToBmp,
    // since the desktop would show it at its own size.
    virtual bool MakesScreenSize() const { return false; }
    // Lets go of the pictures the last conversion made, once the desktop has
    // what it needs, so a big picture does not stay in memory until the next.
    virtual void ReleasePictures() {}
    // Called by ConvertToBmp once the picture is read and before the file is
    // written, only when the file will hold that picture exactly; the picture
    // stays unchanged until ConvertToBmp returns. A converter that cannot
    // tell never calls it.
    using PictureReady = std::function<void(const DibPicture& picture)>;
    virtual void SetBeforeWrite(PictureReady ready) { static_cast<void>(ready); }
    // The dynamic wallpaper (dynamic_player.h) the last conversion played,
    // while it is shown; empty otherwise.
    virtual std::string DynamicPlaying() const { return {}; }
    // Whether its picture has moved on enough at `moment` to be made again.
    virtual bool DynamicRedrawDue(const DynamicMoment& moment) const
    {
        static_cast<void>(moment);
        return false;
    }
    // After a clock jump, a change of time zone or a resume: due at once.
    virtual void DynamicRedrawSoon() {}
    // A bitmap went to the desktop without a conversion: the dynamic
    // wallpaper is no longer shown.
    virtual void DynamicStop() {}
};
