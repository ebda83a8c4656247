// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every box and dialog of the program opens beside the clock, never over its
// face (PlaceBesideClock). Installed once on the application before every
// other filter, so it runs after them; it places each dialog as it shows,
// after the dialog's own placement.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

class BoxesBesideClock : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The clock window; until it is set and shown, dialogs keep their own place.
    void SetClock(QWidget* clock) { clock_ = clock; }

    // Where `box` goes beside the clock: its frame's top left corner.
    QPoint PlaceFor(const QWidget& box) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> clock_;
};
