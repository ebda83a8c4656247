// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clock_panel.h"

#include <QMouseEvent>
#include <QWindow>

ClockPanel::ClockPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
}

void ClockPanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    emit moveStarted();
    // The window manager moves the window (and keeps it where it is dropped);
    // without one, the window follows the mouse here.
    QWidget* top = window();
    if (top->windowHandle() && top->windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - top->pos();
}

void ClockPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void ClockPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}
