// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/fit/streaming_fit.h"

#include "image/fit/screen_fit.h"

#include <cstring>

bool StreamingFit::Start(int pictureW, int pictureH, ScreenFit fit, int screenW, int screenH, DibPicture& out)
{
    out_ = nullptr;
    out.Clear();
    if (pictureW <= 0 || pictureH <= 0 || !out.Allocate(screenW, screenH, 24))
        return false;
    const FitPlacement p = PlaceOnScreen(fit, pictureW, pictureH, screenW, screenH);
    xs_ = MakeTaps(p.srcX, p.srcW, p.dstW, pictureW);
    ys_ = MakeTaps(p.srcY, p.srcH, p.dstH, pictureH);
    colFirst_ = xs_.SourceFirst();
    colCount_ = xs_.SourceEnd() - colFirst_;
    end_ = ys_.SourceEnd();
    dstX_ = p.dstX, dstY_ = p.dstY;
    next_ = 0;
    // An output row's source rows start no earlier than the previous one's,
    // so the rows one output needs, and the one that came last, are all a
    // ring of maxTaps + 1 keeps.
    ringRows_ = ys_.maxTaps + 1;
    ring_.assign(static_cast<size_t>(ringRows_) * colCount_ * 3, 0);
    acc_.assign(static_cast<size_t>(colCount_) * 3, 0);
    out_ = &out;
    return true;
}

uint8_t* StreamingFit::Slot(int y)
{
    return ring_.data() + static_cast<size_t>(y % ringRows_) * colCount_ * 3;
}

void StreamingFit::Push(int y, const uint8_t* row)
{
    if (!out_ || y < FirstRow() || y >= end_)
        return;
    std::memcpy(Slot(y), row + static_cast<size_t>(colFirst_) * 3, static_cast<size_t>(colCount_) * 3);
    const auto held = [this](int sy) -> const uint8_t* { return Slot(sy); };
    const int outputs = static_cast<int>(ys_.first.size());
    while (next_ < outputs && ys_.first[next_] + ys_.count[next_] - 1 <= y) {
        uint8_t* made = out_->TopRow(dstY_ + next_) + static_cast<size_t>(dstX_) * 3;
        ResizeRow(xs_, ys_, next_, colFirst_, held, acc_, made);
        if (made_)
            made_(made, static_cast<int>(xs_.first.size()));
        ++next_;
    }
}
