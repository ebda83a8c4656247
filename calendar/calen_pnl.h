// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TCalenPnl: the self-drawn month calendar on a bevelled panel. It shows the
// date model of CalendarModel: a title row with the year, the month name and
// two month buttons (when ShowDate), the weekday names, and six rows of day
// numbers with Sunday red and Saturday blue; the selected day is bold in a
// sunken frame. Keys and clicks move the selection; a refused move beeps.

#include "calendar/calendar_geometry.h"
#include "calendar/calendar_model.h"
#include "calendar/calendar_texts.h"

#include <QLocale>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace platform {
class Clock;
}

class QPainter;

class TCalenPnl : public QWidget {
    Q_OBJECT

public:
    // Holds today's date (from the clock) and takes the weekday and month
    // names of the locale once, here.
    explicit TCalenPnl(const platform::Clock& clock, QWidget* parent = nullptr, const QLocale& locale = QLocale());

    bool ShowDate() const { return showDate_; }
    void SetShowDate(bool value);
    bool UseLongDate() const { return useLongDate_; }
    void SetUseLongDate(bool value);
    TDayWidth DayWidth() const { return dayWidth_; }
    void SetDayWidth(TDayWidth value);
    int BorderWidth() const { return frame_.borderWidth; }
    void SetBorderWidth(int value);

    // The held date with its time of day.
    TDateTime CalendarDate() const { return model_.CalendarDate(); }
    // Holds a new value: fires OnDateChange and repaints, unless the value
    // is the one already held. A value that is no date of years 1..9999
    // beeps and changes nothing.
    void SetCalendarDate(TDateTime value);

    const CalendarModel& Model() const { return model_; }
    CalendarGeometry Geometry() const;
    // The title as drawn, "yyyy mmmm" or "yyyy mmm".
    QString TitleText() const;
    // The weekday name drawn over column c (1..7).
    QString DayNameText(int column) const;

    // Cell k (1..42) as drawn, in the panel's coordinates.
    QRect CellQRect(int k) const;

    // The exclamation beep of a refused move; tests count it instead.
    void SetBeeper(std::function<void()> beeper) { beeper_ = std::move(beeper); }

signals:
    // After the selected date changed by mouse or by SetCalendarDate; also
    // after every month-button click, even a refused one. Never for keys.
    void OnDateChange(TCalenPnl* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Beep();
    void RunKey(CalendarKey key);
    void RedrawMark();

    // Drawing, in calen_pnl_paint.cpp.
    void PaintBase(QPainter& painter) const;
    void PaintMonthButtons(QPainter& painter, const CalendarGeometry& g) const;
    void PaintTitle(QPainter& painter, const CalendarGeometry& g) const;
    void PaintNames(QPainter& painter, const CalendarGeometry& g) const;
    void PaintCells(QPainter& painter, const CalendarGeometry& g) const;
    void PaintMark(QPainter& painter, const CalendarGeometry& g, int k) const;

    CalendarModel model_;
    CalendarFrame frame_;
    bool showDate_ = true;
    bool useLongDate_ = false;
    TDayWidth dayWidth_ = TDayWidth::dw2Char;
    std::vector<std::string> dayNames_;  // Sunday first, at most 3 columns
    QStringList longMonthNames_;
    QStringList shortMonthNames_;
    std::function<void()> beeper_;
};
