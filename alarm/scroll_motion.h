// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of the scrolling picture: where the picture stands, when a
// pass through it ends, when a limited run stops, and which rows of the
// picture fill the control. The control (TBMScroll) only moves pixels.

#include <vector>

// Timer periods the control accepts, in milliseconds.
inline constexpr int kMinScrollTime = 10;
inline constexpr int kMaxScrollTime = 5000;

// Whether a new timer period is taken: inside 10..5000 and not the present one.
bool AcceptScrollTime(int present, int wanted);

class ScrollMotion {
public:
    enum class Step {
        Idle,    // nothing to move through (an empty picture): nothing happens
        Scroll,  // move the control's contents up by ScrollStep and paint the strip
        Stop,    // the last pass ended: back at row 0, repaint all, stop scrolling
    };

    int ScrollOffset = 0;  // picture row shown at the control's top edge
    int LoopsLeft = 0;     // passes still to go while ScrollLoops > 0
    int ScrollLoops = 0;   // passes before stopping by itself; 0 or less: endless
    int ScrollStep = 1;    // rows moved per tick

    // Scrolling starts (or starts again): the passes are counted afresh; the
    // offset is kept, so scrolling goes on from where it stopped.
    void Start() { LoopsLeft = ScrollLoops; }

    // One timer tick over a picture `rows` high.
    Step Tick(int rows);
};

// One copy from the picture to the control: `height` rows from picture row
// `sourceRow` to control row `targetRow`, always from column 0, as wide as the
// control.
struct ScrollSpan {
    int sourceRow = 0;
    int targetRow = 0;
    int height = 0;
    bool operator==(const ScrollSpan&) const = default;
};

// The copies that paint a control `controlHeight` high from a picture `rows`
// high shown from `offset`: the rows from `offset` down, then, when the
// picture ends before the control does, its first rows once below them. A
// picture shorter than the control wraps once only; what lies below is left
// to the caller. An empty picture gives no copies.
std::vector<ScrollSpan> ScrollPaintSpans(int controlHeight, int rows, int offset);
