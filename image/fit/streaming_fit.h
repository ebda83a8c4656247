// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture made exactly a screen's size from rows that come one at a time,
// top first, as a decoder gives them: the result is the same as FitToScreen
// on the whole picture, but only the few source rows the filter still needs
// are held, never the whole decoded picture.

#include "image/fit/resize_taps.h"
#include "image/image_read.h"
#include "image/picture.h"

#include <cstdint>
#include <functional>
#include <vector>

class StreamingFit {
public:
    // Prepares `out` (24-bit, screenW x screenH, black where the picture does
    // not reach) for a picture of pictureW x pictureH. False, `out` empty,
    // for sizes out of bounds or no memory.
    bool Start(int pictureW, int pictureH, ScreenFit fit, int screenW, int screenH, DibPicture& out);

    // The source rows [FirstRow(), EndRow()) the fit uses; the others need
    // not be decoded.
    int FirstRow() const { return ys_.SourceFirst(); }
    int EndRow() const { return end_; }

    // Source row `y`, 24-bit blue first, pictureW pixels wide. Rows come in
    // order; those outside [FirstRow(), EndRow()) are ignored.
    void Push(int y, const uint8_t* row);

    // Called with each output row's pixels (24-bit, blue first) as soon as
    // the row is made, on the thread that pushed its last source row.
    using RowMade = std::function<void(uint8_t* row, int pixels)>;
    void OnRowMade(RowMade made) { made_ = std::move(made); }

    // Every output row is written.
    bool Done() const { return out_ && next_ >= static_cast<int>(ys_.first.size()); }

private:
    // Where source row y is kept in the ring.
    uint8_t* Slot(int y);

    Taps xs_, ys_;
    int colFirst_ = 0, colCount_ = 0, end_ = 0;
    int dstX_ = 0, dstY_ = 0;
    int next_ = 0;  // the next output row
    int ringRows_ = 0;
    std::vector<uint8_t> ring_;  // the last ringRows_ source rows, columns colFirst_ on
    std::vector<uint32_t> acc_;
    DibPicture* out_ = nullptr;
    RowMade made_;
};
