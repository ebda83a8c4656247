// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panic button's mouse rules. A press records whether a button other than
// the right one was used; a left click then puts up the panic wallpaper, and
// the release after a right press takes one rotation step at once.

class PanicButton {
public:
    // Every press: true unless the right button was used.
    void MouseDown(bool rightButton) { PanicPressedLeft = !rightButton; }

    // The left click: whether the panic wallpaper is to be applied.
    bool ClickShowsPanic() const { return PanicPressedLeft; }

    // Every release: whether a rotation step is to be taken now (after a right
    // press, while the rotation runs). The flag is set again.
    bool MouseUpTakesStep(bool rotationRunning)
    {
        const bool step = !PanicPressedLeft && rotationRunning;
        PanicPressedLeft = true;
        return step;
    }

    bool PanicPressedLeft = false;
};
