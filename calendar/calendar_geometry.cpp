// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_geometry.h"

namespace {
constexpr int kButtonSize = 16;
}

CalendarGeometry::CalendarGeometry(int width, int height, const CalendarFrame& frame, bool showDate)
    : showDate_(showDate)
{
    const int edge = frame.Width();
    const int w = width - 2 * edge;
    const int h = height - 2 * edge;
    const int mx = w / 100;
    const int my = h / 100;
    ColWidth = (w - 2 * mx) / 7;
    RowHeight = (h - 2 * my) / (showDate ? 8 : 7);
    const int spare = (w - 7 * ColWidth) / 2;

    HeaderRect.Left = edge + spare;
    HeaderRect.Top = edge + my;
    HeaderRect.Right = HeaderRect.Left + 7 * ColWidth;
    HeaderRect.Bottom = HeaderRect.Top + (showDate ? 2 : 1) * RowHeight;

    GridRect.Left = HeaderRect.Left;
    GridRect.Right = HeaderRect.Right;
    GridRect.Top = HeaderRect.Bottom;
    GridRect.Bottom = GridRect.Top + 6 * RowHeight;

    const int dx = HeaderRect.Width() / 30;
    const int dy = HeaderRect.Height() / 15;
    PrevButton.Left = HeaderRect.Left + dx;
    PrevButton.Top = HeaderRect.Top + dy;
    PrevButton.Right = PrevButton.Left + kButtonSize;
    PrevButton.Bottom = PrevButton.Top + kButtonSize;
    NextButton.Right = HeaderRect.Right - dx;
    NextButton.Left = NextButton.Right - kButtonSize;
    NextButton.Top = PrevButton.Top;
    NextButton.Bottom = PrevButton.Bottom;

    // The title sits between the month buttons, a little below the top.
    const int th = HeaderRect.Height();
    const int tw = HeaderRect.Width();
    TitleRect = HeaderRect;
    TitleRect.Top += (th / 20) * 2 != 0 ? (th / 20) * 2 : 1;
    TitleRect.Bottom = TitleRect.Top + RowHeight;
    TitleRect.Left += tw / 20 + 17;
    TitleRect.Right -= tw / 20 + 17;
}

int CalendarGeometry::CellAtPoint(int x, int y) const
{
    if (!HasCells())
        return -1;
    if (!(GridRect.Left < x && x < GridRect.Right && GridRect.Top < y && y < GridRect.Bottom))
        return -1;
    const int row = (y - GridRect.Top) / RowHeight + 1;
    int column = 7;
    for (int c = 1; c <= 7; ++c) {
        if (GridRect.Left + (c - 1) * ColWidth <= x && x <= GridRect.Left + c * ColWidth) {
            column = c;
            break;
        }
    }
    return (row - 1) * 7 + column;
}

CalRect CalendarGeometry::CellRect(int k) const
{
    const int row = (k - 1) / 7 + 1;
    const int column = ColumnOf(k);
    CalRect r;
    r.Left = GridRect.Left + (column - 1) * ColWidth;
    r.Top = GridRect.Top + (row - 1) * RowHeight;
    r.Right = r.Left + ColWidth;
    r.Bottom = r.Top + RowHeight;
    return r;
}

CalRect CalendarGeometry::NameRect(int column) const
{
    CalRect r;
    r.Left = HeaderRect.Left + (column - 1) * ColWidth;
    r.Right = r.Left + ColWidth;
    r.Top = HeaderRect.Top + (showDate_ ? RowHeight : 0);
    r.Bottom = HeaderRect.Bottom;
    return r;
}
