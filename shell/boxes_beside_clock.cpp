// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/boxes_beside_clock.h"

#include "shell/box_placement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Until a window has been shown its frame is not known: room for a title bar
// and a border is kept, so the frame does not reach over the clock.
constexpr int kFrameWidthGuess = 8;
constexpr int kFrameHeightGuess = 36;

ScreenRect ToScreenRect(const QRect& r)
{
    return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

QPoint BoxesBesideClock::PlaceFor(const QWidget& box) const
{
    QSize size = box.frameGeometry().size();
    if (size == box.size())
        size += QSize(kFrameWidthGuess, kFrameHeightGuess);
    const QScreen* screen = clock_->screen() ? clock_->screen() : QGuiApplication::primaryScreen();
    const BoxPlace place = PlaceBesideClock(ToScreenRect(clock_->frameGeometry()), size.width(), size.height(),
                                            ToScreenRect(screen->availableGeometry()));
    return {place.left, place.top};
}

bool BoxesBesideClock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !clock_ || !clock_->isVisible() || watched == clock_ ||
        !qobject_cast<QDialog*>(watched))
        return QObject::eventFilter(watched, event);
    auto* box = static_cast<QWidget*>(watched);
    if (!box->isWindow())
        return QObject::eventFilter(watched, event);
    // The dialog's own handler runs first (some centre themselves there),
    // then the box moves beside the clock, before the window is mapped.
    static_cast<QObject*>(box)->event(event);
    box->move(PlaceFor(*box));
    return true;
}
