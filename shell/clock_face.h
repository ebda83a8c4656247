// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock face: a label that reports a left click and the release of the
// right button (it remembers at each press whether the right button was used).

#include <QLabel>

class ClockFace : public QLabel {
    Q_OBJECT
public:
    explicit ClockFace(QWidget* parent = nullptr);
    bool RightPressed() const { return rightPressed_; }

signals:
    void clicked();        // left button pressed and released over the face
    void rightReleased();  // the right button released after a right press
    void entered();        // the mouse arrived on the face

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    bool rightPressed_ = false;
};
