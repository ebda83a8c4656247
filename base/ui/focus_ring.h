// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A focus ring plain on light and dark palettes and at any scale, for the
// small buttons whose style marks the focus only faintly.

#include <QToolButton>

// Draws a ring two pixels wide in the highlight colour just inside the
// widget's edge while it has the focus and the keyboard moved it there (a
// click shows no ring). Called at the end of the widget's paintEvent.
void PaintFocusRing(QWidget& widget);

// A tool button that shows its focus with PaintFocusRing.
class FocusRingToolButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
