// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen-saver item of the command menu: "ｾｰﾊﾞ停止" is checked while the
// screen saver is switched off in the system.

// The item's check mark for the saver's state, read when the menu opens.
constexpr bool SaverStopChecked(bool saverActive)
{
    return !saverActive;
}

struct SaverStopStep {
    bool saverActive = false;  // the state to switch the screen saver to
    bool checked = false;      // the item's check mark afterwards
};

// Choosing the item: a checked item (saver off) switches the saver on again
// and loses its mark; an unchecked one switches it off and gains the mark.
constexpr SaverStopStep SaverStopClicked(bool checked)
{
    return {checked, !checked};
}
