// SPDX-License-Identifier: GPL-3.0-or-later
// TCalenPnl's drawing. Lines follow the classic rule of the pixel grid: a
// line from A to B colours A and stops one pixel short of B, so the frames
// and button edges land exactly where the geometry puts them.

#include "base/ui/readable_colour.h"
#include "calendar/calen_pnl.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QRect ToQRect(const CalRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Sunday red, Saturday blue, the other days black.
QColor ColumnColour(int column)
{
    return column == 1 ? kRed : column == 7 ? kBlue : kBlack;
}

// Draws the line from `from` towards `to`, leaving out `to` itself.
void LineTo(QPainter& painter, QPoint from, QPoint to)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    const QPoint last(from.x() + dx * (steps - 1) / steps, from.y() + dy * (steps - 1) / steps);
    painter.drawLine(from, last);
}

// A connected line through the points, in one colour.
void Polyline(QPainter& painter, const QColor& colour, std::initializer_list<QPoint> points)
{
    painter.setPen(QPen(colour, 0));
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous)
            LineTo(painter, *previous, point);
        previous = &point;
    }
}

// A bevel of one pixel per step: `topLeft` on the top and left edges,
// `bottomRight` on the others; returns the rectangle inside it.
QRect Bevel(QPainter& painter, QRect r, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        const int right = r.left() + r.width() - 1;
        const int bottom = r.top() + r.height() - 1;
        painter.setPen(QPen(topLeft, 0));
        painter.drawLine(r.left(), r.top(), right, r.top());
        painter.drawLine(r.left(), r.top(), r.left(), bottom);
        painter.setPen(QPen(bottomRight, 0));
        painter.drawLine(right, r.top(), right, bottom);
        painter.drawLine(r.left(), bottom, right, bottom);
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

}  // namespace

void TCalenPnl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    PaintBase(painter);
    const CalendarGeometry g = Geometry();
    if (!g.HasCells())
        return;  // too small to show anything but the frame
    painter.fillRect(ToQRect(g.GridRect), palette().color(QPalette::Button));
    if (showDate_) {
        PaintMonthButtons(painter, g);
        PaintTitle(painter, g);
    }
    PaintNames(painter, g);
    PaintCells(painter, g);
    PaintMark(painter, g, model_.SelectedCell());
}

// The panel itself: the button face, the raised outer bevel, the border and
// the lowered inner bevel.
void TCalenPnl::PaintBase(QPainter& painter) const
{
    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    painter.fillRect(rect(), face);
    QRect r = rect();
    if (frame_.borderLine) {
        painter.setPen(QPen(kBlack, 0));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (frame_.outerBevel)
        r = Bevel(painter, r, highlight, shadow, frame_.bevelWidth);
    r.adjust(frame_.borderWidth, frame_.borderWidth, -frame_.borderWidth, -frame_.borderWidth);
    if (frame_.innerBevel)
        Bevel(painter, r, shadow, highlight, frame_.bevelWidth);
}

void TCalenPnl::PaintMonthButtons(QPainter& painter, const CalendarGeometry& g) const
{
    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    for (const bool next : {false, true}) {
        const CalRect& b = next ? g.NextButton : g.PrevButton;
        const int L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
        painter.setPen(QPen(shadow, 0));
        painter.setBrush(face);
        painter.drawRect(L, T, R - L - 1, B - T - 1);
        Polyline(painter, highlight, {QPoint(L + 1, B - 2), QPoint(L + 1, T + 1), QPoint(R - 2, T + 1)});
        Polyline(painter, shadow, {QPoint(R - 2, T + 1), QPoint(R - 2, B - 2), QPoint(L + 1, B - 2)});
        QPolygon triangle;
        if (next)
            triangle << QPoint(L + 4, T + 3) << QPoint(L + 4, B - 4) << QPoint(R - 4, T + 7);
        else
            triangle << QPoint(R - 5, T + 3) << QPoint(R - 5, B - 4) << QPoint(L + 3, T + 7);
        painter.setPen(QPen(shadow, 0));
        painter.setBrush(shadow);
        painter.drawPolygon(triangle);
        if (next)
            Polyline(painter, highlight, {QPoint(L + 4, B - 4), QPoint(R - 2, T + 7)});
        else
            Polyline(painter, highlight, {QPoint(L + 3, T + 8), QPoint(R - 5, B - 3), QPoint(R - 5, T + 2)});
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBlack, 0));
}

void TCalenPnl::PaintTitle(QPainter& painter, const CalendarGeometry& g) const
{
    const QRect r = ToQRect(g.TitleRect);
    painter.fillRect(r, palette().color(QPalette::Button));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(ReadableHue(kBlack, palette().color(QPalette::Button)));
    painter.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, TitleText());
    painter.setFont(font());
}

void TCalenPnl::PaintNames(QPainter& painter, const CalendarGeometry& g) const
{
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    for (int column = 1; column <= 7; ++column) {
        painter.setPen(ReadableHue(ColumnColour(column), palette().color(QPalette::Button)));
        painter.drawText(ToQRect(g.NameRect(column)), Qt::AlignCenter | Qt::TextSingleLine, DayNameText(column));
    }
    painter.setFont(font());
    painter.setPen(ReadableHue(kBlack, palette().color(QPalette::Button)));

    // The separator: a highlight line over a shadow line just above the grid.
    const int y = g.GridRect.Top - 4;
    Polyline(painter, palette().color(QPalette::Light), {QPoint(g.HeaderRect.Left, y), QPoint(g.HeaderRect.Right, y)});
    Polyline(painter, palette().color(QPalette::Dark),
             {QPoint(g.HeaderRect.Left, y + 1), QPoint(g.HeaderRect.Right, y + 1)});
    painter.setPen(ReadableHue(kBlack, palette().color(QPalette::Button)));
}

void TCalenPnl::PaintCells(QPainter& painter, const CalendarGeometry& g) const
{
    for (int k = 1; k <= CalendarModel::kCells; ++k) {
        painter.setPen(ReadableHue(ColumnColour(CalendarGeometry::ColumnOf(k)), palette().color(QPalette::Button)));
        painter.drawText(ToQRect(g.CellRect(k)), Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(model_.DayCell(k)));
    }
    painter.setPen(ReadableHue(kBlack, palette().color(QPalette::Button)));
}

// The selected day: bold, in a sunken frame. The cell's normal text is
// already there, so the bold text goes over it without filling.
void TCalenPnl::PaintMark(QPainter& painter, const CalendarGeometry& g, int k) const
{
    if (k < 1 || k > 41 || !model_.IsDayCell(k))
        return;
    const CalRect c = g.CellRect(k);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(ReadableHue(ColumnColour(CalendarGeometry::ColumnOf(k)), palette().color(QPalette::Button)));
    painter.drawText(ToQRect(c), Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(model_.DayCell(k)));
    const int L = c.Left, T = c.Top, R = c.Right, B = c.Bottom;
    Polyline(painter, palette().color(QPalette::Dark), {QPoint(L, B - 1), QPoint(L, T), QPoint(R - 1, T)});
    Polyline(painter, palette().color(QPalette::Light), {QPoint(R - 1, T), QPoint(R - 1, B - 1), QPoint(L, B - 1)});
    painter.setPen(ReadableHue(kBlack, palette().color(QPalette::Button)));
    painter.setFont(font());
}
