// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat button with a two-state glyph (up and pressed, side by side in one
// image) that also reports which mouse button was pressed and released.
// Tab reaches it; Return or Space then acts as a left click, and a ring shows
// the focus while the keyboard moves it.

#include "base/ui/focus_ring.h"

#include <QPixmap>

class SpeedButton : public FocusRingToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(QWidget* parent = nullptr);
    // `glyph` holds the up image on its left half and the pressed one on its right.
    void SetGlyph(const QPixmap& glyph);
    bool RightPressed() const { return rightPressed_; }

signals:
    void mousePressed(Qt::MouseButton button);   // every press
    void mouseReleased(Qt::MouseButton button);  // every release
    void rightReleased();                        // the right button released after a right press

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ShowState(bool pressed);
    QPixmap up_;
    QPixmap down_;
    bool rightPressed_ = false;
};
