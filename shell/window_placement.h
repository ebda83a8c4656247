// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the clock window goes at start-up: the saved place pulled into the
// screen so the whole window shows; and which place is saved at quit.

struct WindowPlace {
    int left = 0;
    int top = 0;
};

// A place below or right of the screen becomes flush with the bottom or right
// edge; then a negative coordinate becomes 0 (so a window larger than the
// screen sits at the top left). 5000 on an 800-pixel screen with a 173-pixel
// window gives 627. Any 32-bit values are safe: the sums do not overflow.
WindowPlace ClampIntoScreen(int offsetX, int offsetY, int width, int height, int screenWidth, int screenHeight);

// The place saved at quit. Only the user's own move (a drag, or the keyboard)
// replaces the saved place with where the window is: a window manager that
// shifts the window when it maps it, or a pull onto a smaller screen, is no
// choice of the user's. Where a window's place cannot be read back (native
// Wayland) the saved place stays too.
WindowPlace PlaceToSave(WindowPlace saved, WindowPlace shown, bool placeKnown, bool movedByUser);
