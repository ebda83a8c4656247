// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calendar's texts: the title and the weekday names cut to the width
// the panel shows.

#include "base/translatable.h"

#include <string>
#include <vector>

// How much of each weekday name the panel shows.
enum class TDayWidth { dw1Char = 1, dw2Char = 2, dw3Char = 3 };

// The first `columns` display columns of a UTF-8 text, never splitting a
// character: a wide (CJK, full-width) character takes two columns, as its
// two bytes did in the old double-byte encoding, everything else one.
// Combining marks stay with their base character. "Sun" at 2 gives "Su",
// "月" at 2 gives "月" and at 1 gives "".
std::string CutToColumns(const std::string& text, int columns);

// Display columns of one code point: 2 for wide, 0 for combining, else 1.
int ColumnsOf(char32_t codePoint);

// The title "yyyy mmmm": the four-digit year, one blank, the month name.
// `pattern` orders them for a language that puts the month first
// ("%2 %1" gives "December 2026"): %1 is the year, %2 the month name.
inline constexpr const char* kCalendarTitlePattern = QT_TRANSLATE_NOOP("TCalenPnl", "%1 %2");
std::string CalendarTitle(int year, const std::string& monthName, const std::string& pattern = kCalendarTitlePattern);

// Seven weekday names from Sunday on, each cut to three columns; missing
// names are empty.
std::vector<std::string> CalendarDayNames(const std::vector<std::string>& localeNames);
