// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/scroll_motion.h"

#include <algorithm>

bool AcceptScrollTime(int present, int wanted)
{
    return wanted >= kMinScrollTime && wanted <= kMaxScrollTime && wanted != present;
}

ScrollMotion::Step ScrollMotion::Tick(int rows)
{
    // With no rows there is no pass to move through (and nothing to divide by).
    if (rows <= 0)
        return Step::Idle;
    // Kept within the picture even for a backward step, so painting never
    // reads above its first row.
    ScrollOffset = ((ScrollOffset + ScrollStep) % rows + rows) % rows;
    if (ScrollOffset < ScrollStep && ScrollLoops > 0)
        --LoopsLeft;
    if (ScrollLoops > 0 && LoopsLeft <= 0) {
        ScrollOffset = 0;
        return Step::Stop;
    }
    return Step::Scroll;
}

std::vector<ScrollSpan> ScrollPaintSpans(int controlHeight, int rows, int offset)
{
    std::vector<ScrollSpan> spans;
    if (rows <= 0 || controlHeight <= 0)
        return spans;
    offset = ((offset % rows) + rows) % rows;
    const int first = controlHeight - std::max(0, controlHeight + offset - rows);
    spans.push_back({offset, 0, first});
    if (first < controlHeight)
        spans.push_back({0, first, std::min(controlHeight - first, rows)});
    return spans;
}
