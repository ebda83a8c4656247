// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the clock window goes at start-up: the saved place pulled into the
// screen so the whole window shows.

struct WindowPlace {
    int left = 0;
    int top = 0;
};

// A place below or right of the screen becomes flush with the bottom or right
// edge; then a negative coordinate becomes 0 (so a window larger than the
// screen sits at the top left). 5000 on an 800-pixel screen with a 173-pixel
// window gives 627. Any 32-bit values are safe: the sums do not overflow.
WindowPlace ClampIntoScreen(int offsetX, int offsetY, int width, int height, int screenWidth, int screenHeight);
