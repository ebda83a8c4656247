// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a dynamic wallpaper: makes its picture for a moment (the blend of
// the two pictures around it, each fitted to the screen first) and tells when
// the picture shown has moved on enough to be made again. The two fitted
// pictures are kept, so a redraw of the same pair costs a blend, not a decode.

#include "base/sun/schedule_blend.h"
#include "image/formats/dynamic/dynamic_moment.h"
#include "image/formats/dynamic/dynamic_wallpaper.h"
#include "image/image_read.h"
#include "image/picture.h"

#include <array>
#include <optional>
#include <string>

// The size the pictures are made at: the screen's in a fit, or with no fit
// (centred, tiled) the first picture's own.
struct DynamicTarget {
    std::optional<ScreenFit> fit;
    int width = 0;
    int height = 0;
    bool operator==(const DynamicTarget&) const = default;
};

class DynamicPlayer {
public:
    // A redraw waits until the blend has moved by this much, and at least
    // kRedrawSeconds since the last one, whichever comes later.
    static constexpr double kRedrawStep = 1.0 / 32;
    static constexpr double kRedrawSeconds = 600;

    enum class Result { NotDynamic, Made, Refused };
    // The picture of `path` for the moment at the target into `out`.
    // NotDynamic for any other file (and playing stops); Refused, with
    // Reason(), for a dynamic wallpaper that cannot be played.
    Result Make(const std::string& path, const DynamicMoment& moment, const DynamicTarget& target, DibPicture& out);
    const std::string& Reason() const { return reason_; }

    // The file whose picture was made last, while it is being played; empty otherwise.
    const std::string& PlayingPath() const { return playing_; }
    // Whether the picture shown should be made again at this moment.
    bool RedrawDue(const DynamicMoment& moment) const;
    // After a clock jump, a change of time zone or a resume: the next RedrawDue is true.
    void RedrawSoon() { redrawSoon_ = true; }
    // Another wallpaper is shown: stop playing and let go of the pictures.
    void Stop();

private:
    // Fitted picture `picture`, decoded unless kept; null when it cannot be had.
    const DibPicture* Fitted(int picture, const DynamicTarget& target, std::vector<uint8_t>& heifBytes);

    std::optional<DynamicWallpaper> wallpaper_;
    std::string playing_;
    std::string reason_;
    struct Kept {
        int picture = -1;
        DibPicture fitted;
    };
    std::array<Kept, 2> kept_;
    DynamicTarget keptTarget_;
    PictureBlend shown_;
    double shownAt_ = 0;
    bool redrawSoon_ = false;
};
