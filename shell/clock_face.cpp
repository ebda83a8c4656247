// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clock_face.h"

#include <QMouseEvent>

ClockFace::ClockFace(QWidget* parent) : QLabel(parent)
{}

void ClockFace::mousePressEvent(QMouseEvent* event)
{
    rightPressed_ = event->button() == Qt::RightButton;
    event->accept();  // a press on the face never moves the window
}

void ClockFace::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    else if (event->button() == Qt::RightButton && rightPressed_)
        emit rightReleased();
}

void ClockFace::enterEvent(QEnterEvent* event)
{
    emit entered();
    QLabel::enterEvent(event);
}
