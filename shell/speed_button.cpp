// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/speed_button.h"

#include "base/ui/readable_glyph.h"

#include <QKeyEvent>
#include <QMouseEvent>

SpeedButton::SpeedButton(QWidget* parent) : FocusRingToolButton(parent)
{
    setAutoRaise(false);
    // Reached by Tab, not taken by a click: a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void SpeedButton::SetGlyph(const QPixmap& glyph)
{
    const int half = glyph.width() / 2;
    up_ = glyph.copy(0, 0, half, glyph.height());
    down_ = glyph.copy(half, 0, half, glyph.height());
    setIconSize(up_.size());
    ShowState(false);
}

void SpeedButton::ShowState(bool pressed)
{
    if (up_.isNull())
        return;
    // The glyph's pixels doubled for a screen at 2x: sharp, not smoothed.
    // On a dark palette the glyph's dark strokes turn light.
    const QPixmap glyph = ReadableGlyph(pressed ? down_ : up_, palette().color(QPalette::Button));
    QIcon icon(glyph);
    QPixmap twice = glyph.scaled(glyph.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    twice.setDevicePixelRatio(2);
    icon.addPixmap(twice);
    setIcon(icon);
}

void SpeedButton::changeEvent(QEvent* event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ShowState(isDown());
}

void SpeedButton::mousePressEvent(QMouseEvent* event)
{
    rightPressed_ = event->button() == Qt::RightButton;
    emit mousePressed(event->button());
    ShowState(true);
    FocusRingToolButton::mousePressEvent(event);
    event->accept();  // a press on a button never moves the window
}

void SpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    ShowState(false);
    FocusRingToolButton::mouseReleaseEvent(event);  // a left release over the button clicks
    event->accept();
    emit mouseReleased(event->button());
    if (event->button() == Qt::RightButton && rightPressed_)
        emit rightReleased();
}

void SpeedButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !event->isAutoRepeat() &&
        event->modifiers() == Qt::NoModifier) {
        // The same steps as a left click, so the handlers cannot tell them apart.
        rightPressed_ = false;
        emit mousePressed(Qt::LeftButton);
        click();
        emit mouseReleased(Qt::LeftButton);
        event->accept();
        return;
    }
    FocusRingToolButton::keyPressEvent(event);
}

void SpeedButton::keyReleaseEvent(QKeyEvent* event)
{
    // Space was handled at its press; the tool button would click again on its release.
    if (event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    FocusRingToolButton::keyReleaseEvent(event);
}
