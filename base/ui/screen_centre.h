// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's dialogs open: in the middle of a screen's free area
// (the screen without its panels), wherever their owner stands.

class QScreen;
class QWidget;

// Centres `window` on `screen`; without one, on the window's own screen, or
// the primary screen when it has none yet.
void CentreOnScreen(QWidget& window, const QScreen* screen = nullptr);

// For a dialog of one size: sizes it to its contents, fixes that size (no
// maximise, no resize frame, also for the window manager) and centres it on
// the primary screen.
void FixSizeAndCentre(QWidget& dialog);
