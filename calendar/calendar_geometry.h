// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the calendar panel draws: the header with the title and the weekday
// names, the 6 x 7 grid of day cells, the two month buttons and the title
// rectangle, all in pixels of the panel's client area. Integer division
// truncates toward zero throughout, so the places are exact to the pixel.

struct CalRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;   // one past the last column
    int Bottom = 0;  // one past the last row

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // Edges included.
    bool Holds(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
    bool operator==(const CalRect&) const = default;
};

// The panel's frame: what its border line and bevels take from each side.
struct CalendarFrame {
    bool borderLine = false;
    bool outerBevel = true;
    bool innerBevel = true;
    int bevelWidth = 1;
    int borderWidth = 1;

    int Width() const
    {
        return (borderLine ? 1 : 0) + (outerBevel ? bevelWidth : 0) + (innerBevel ? bevelWidth : 0) + borderWidth;
    }
};

class CalendarGeometry {
public:
    CalendarGeometry(int width, int height, const CalendarFrame& frame, bool showDate);

    int ColWidth = 0;
    int RowHeight = 0;
    CalRect HeaderRect;
    CalRect GridRect;
    CalRect PrevButton;  // 16 x 16
    CalRect NextButton;  // 16 x 16
    CalRect TitleRect;   // the year and month name

    // True when the grid has room for at least one pixel per cell.
    bool HasCells() const { return ColWidth > 0 && RowHeight > 0; }
    // Grid cell 1..42 under a point, or -1 outside the grid or on its edge
    // lines. A point on the line between two columns belongs to the left one,
    // on the line between two rows to the lower one.
    int CellAtPoint(int x, int y) const;
    // Rectangle of cell k (1..42).
    CalRect CellRect(int k) const;
    // Rectangle of the weekday name of column c (1..7).
    CalRect NameRect(int column) const;
    // Column 1..7 of cell k.
    static int ColumnOf(int k) { return (k - 1) % 7 + 1; }

private:
    bool showDate_;
};
