// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the clock goes as a layer surface: the output its saved place falls
// on, and the margins from that output's top left corner, pulled in as the
// clock window is pulled into the screen so the whole clock shows.

#include <vector>

struct OutputRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct LayerClockPlace {
    int output = -1;  // index in the outputs; -1 when there is none
    int left = 0;
    int top = 0;
};

// (x, y): the place in the compositor's layout. A place on no output goes to
// the first output, clamped as the window is.
LayerClockPlace PlaceOnOutputs(int x, int y, int width, int height, const std::vector<OutputRect>& outputs);
