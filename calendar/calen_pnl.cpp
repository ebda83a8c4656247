// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calen_pnl.h"

#include "calendar/calen_pnl_accessible.h"
#include "platform/clock.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QRect ToQRect(const CalRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

}  // namespace

TCalenPnl::TCalenPnl(const platform::Clock& clock, QWidget* parent, const QLocale& locale)
    : QWidget(parent), model_(clock.Now()), beeper_([] { QApplication::beep(); })
{
    resize(160, 160);
    // Keys reach the calendar while it holds the focus: by Tab, or by a
    // click on it, so the arrows work right after picking a day.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Screen readers see the month as a table of dated cells.
    static const bool accessible = [] {
        QAccessible::installFactory(CalenPnlAccessibleFactory);
        return true;
    }();
    Q_UNUSED(accessible);

    // Sunday first; QLocale counts Monday as 1 and Sunday as 7.
    std::vector<std::string> names;
    for (const int day : {7, 1, 2, 3, 4, 5, 6})
        names.push_back(locale.dayName(day, QLocale::ShortFormat).toStdString());
    dayNames_ = CalendarDayNames(names);
    for (int month = 1; month <= 12; ++month) {
        longMonthNames_ << locale.standaloneMonthName(month, QLocale::LongFormat);
        shortMonthNames_ << locale.standaloneMonthName(month, QLocale::ShortFormat);
    }
}

void TCalenPnl::SetShowDate(bool value)
{
    if (value == showDate_)
        return;
    showDate_ = value;
    update();
}

void TCalenPnl::SetUseLongDate(bool value)
{
    if (value == useLongDate_)
        return;
    useLongDate_ = value;
    update();
}

void TCalenPnl::SetDayWidth(TDayWidth value)
{
    if (value == dayWidth_)
        return;
    dayWidth_ = value;
    update();
}

void TCalenPnl::SetBorderWidth(int value)
{
    value = std::max(0, value);
    if (value == frame_.borderWidth)
        return;
    frame_.borderWidth = value;
    update();
}

void TCalenPnl::SetCalendarDate(TDateTime value)
{
    if (value == model_.CalendarDate())
        return;
    if (!CalendarModel::IsDecodable(value)) {
        Beep();
        return;
    }
    model_.SetCalendarDate(value);
    emit OnDateChange(this);
    update();
}

CalendarGeometry TCalenPnl::Geometry() const
{
    return CalendarGeometry(width(), height(), frame_, showDate_);
}

QString TCalenPnl::TitleText() const
{
    const QStringList& names = useLongDate_ ? longMonthNames_ : shortMonthNames_;
    const std::string title = CalendarTitle(
        model_.Year(), names.value(model_.Month() - 1).toStdString(),
        QCoreApplication::translate("TCalenPnl", kCalendarTitlePattern).toStdString());
    return QString::fromStdString(title);
}

QString TCalenPnl::DayNameText(int column) const
{
    if (column < 1 || column > 7)
        return {};
    const auto& name = dayNames_[static_cast<std::size_t>(column - 1)];
    return QString::fromStdString(CutToColumns(name, static_cast<int>(dayWidth_)));
}

void TCalenPnl::Beep()
{
    if (beeper_)
        beeper_();
}

QRect TCalenPnl::CellQRect(int k) const
{
    return ToQRect(Geometry().CellRect(k));
}

// Only the old and the new selected cells are drawn again.
void TCalenPnl::RedrawMark()
{
    if (model_.PreviousCell() > 0)
        update(CellQRect(model_.PreviousCell()));
    update(CellQRect(model_.SelectedCell()));
}

void TCalenPnl::RunKey(CalendarKey key)
{
    switch (model_.HandleKey(key)) {
    case KeyOutcome::Refused: Beep(); return;
    case KeyOutcome::MarkOnly: RedrawMark(); break;
    case KeyOutcome::Full: update(); break;
    }
    // A screen reader follows the selection to the new day.
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* day = QAccessible::queryAccessibleInterface(this)->child(model_.Day() - 1)) {
        QAccessibleEvent moved(day, QAccessible::Focus);
        QAccessible::updateAccessibility(&moved);
    }
}

void TCalenPnl::keyPressEvent(QKeyEvent* event)
{
    CalendarKey key{};
    switch (event->key()) {
    case Qt::Key_Left: key = CalendarKey::Left; break;
    case Qt::Key_Right: key = CalendarKey::Right; break;
    case Qt::Key_Up: key = CalendarKey::Up; break;
    case Qt::Key_Down: key = CalendarKey::Down; break;
    case Qt::Key_PageUp: key = CalendarKey::PageUp; break;
    case Qt::Key_PageDown: key = CalendarKey::PageDown; break;
    case Qt::Key_End: key = CalendarKey::End; break;
    case Qt::Key_Home: key = CalendarKey::Home; break;
    default:
        // Enter, Esc and the rest belong to the dialog.
        event->ignore();
        return;
    }
    RunKey(key);
}

void TCalenPnl::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    event->accept();
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    const CalendarGeometry g = Geometry();
    if (showDate_) {
        if (g.PrevButton.Holds(x, y)) {
            RunKey(CalendarKey::PageUp);
            emit OnDateChange(this);
        }
        if (g.NextButton.Holds(x, y)) {
            RunKey(CalendarKey::PageDown);
            emit OnDateChange(this);
        }
    }
    if (g.GridRect.Holds(x, y) && model_.ClickCell(g.CellAtPoint(x, y))) {
        RedrawMark();
        emit OnDateChange(this);
    }
}
