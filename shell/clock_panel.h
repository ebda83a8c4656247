// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The raised panel that fills the clock window: pressing the left button on
// it moves the window with the mouse until the button is released.

#include <QFrame>
#include <QPoint>

class ClockPanel : public QFrame {
    Q_OBJECT
public:
    explicit ClockPanel(QWidget* parent = nullptr);

signals:
    // The user took the window to move it.
    void moveStarted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;  // moving by hand: the window manager could not
    QPoint grabOffset_;
};
