// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_geometry.h"

#include <gtest/gtest.h>

// Lets failures print rectangles as (left, top, right, bottom).
void PrintTo(const CalRect& r, std::ostream* out)
{
    *out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

CalendarFrame DialogFrame()
{
    CalendarFrame frame;
    frame.borderWidth = 6;
    return frame;
}

}  // namespace

TEST(CalendarGeometry, TheDialogsPanel)
{
    const CalendarFrame frame = DialogFrame();
    EXPECT_EQ(frame.Width(), 8);
    const CalendarGeometry g(249, 193, frame, true);
    EXPECT_EQ(g.ColWidth, 32);
    EXPECT_EQ(g.RowHeight, 21);
    EXPECT_EQ(g.HeaderRect, (CalRect{12, 9, 236, 51}));
    EXPECT_EQ(g.GridRect, (CalRect{12, 51, 236, 177}));
    EXPECT_EQ(g.PrevButton, (CalRect{19, 11, 35, 27}));
    EXPECT_EQ(g.NextButton, (CalRect{213, 11, 229, 27}));
    EXPECT_EQ(g.TitleRect, (CalRect{40, 13, 208, 34}));
    EXPECT_EQ(g.NameRect(1), (CalRect{12, 30, 44, 51}));
    EXPECT_EQ(g.CellRect(1), (CalRect{12, 51, 44, 72}));
    EXPECT_EQ(g.CellRect(42), (CalRect{204, 156, 236, 177}));
}

TEST(CalendarGeometry, ConstructionDefaultsAndNoTitleRow)
{
    const CalendarFrame frame;
    EXPECT_EQ(frame.Width(), 3);
    const CalendarGeometry g(160, 160, frame, true);
    EXPECT_EQ(g.ColWidth, 21);
    EXPECT_EQ(g.RowHeight, 19);
    EXPECT_EQ(g.HeaderRect, (CalRect{6, 4, 153, 42}));
    EXPECT_EQ(g.GridRect, (CalRect{6, 42, 153, 156}));

    // Without the title: seven rows, the names row is the whole header.
    const CalendarGeometry plain(160, 160, frame, false);
    EXPECT_EQ(plain.RowHeight, 152 / 7);
    EXPECT_EQ(plain.HeaderRect.Height(), plain.RowHeight);
    EXPECT_EQ(plain.NameRect(7).Top, plain.HeaderRect.Top);
    EXPECT_EQ(plain.GridRect.Top, plain.HeaderRect.Bottom);

    CalendarFrame lined;
    lined.borderLine = true;
    lined.innerBevel = false;
    lined.bevelWidth = 2;
    lined.borderWidth = 4;
    EXPECT_EQ(lined.Width(), 7);
}

TEST(CalendarGeometry, CellAtPointOnLinesAndCorners)
{
    const CalendarGeometry g(249, 193, DialogFrame(), true);
    // Grid (12, 51, 236, 177), cells 32 x 21. The outer edges hit nothing.
    EXPECT_EQ(g.CellAtPoint(12, 60), -1);
    EXPECT_EQ(g.CellAtPoint(236, 60), -1);
    EXPECT_EQ(g.CellAtPoint(20, 51), -1);
    EXPECT_EQ(g.CellAtPoint(20, 177), -1);
    EXPECT_EQ(g.CellAtPoint(12, 51), -1);
    EXPECT_EQ(g.CellAtPoint(236, 177), -1);
    // Just inside the corners.
    EXPECT_EQ(g.CellAtPoint(13, 52), 1);
    EXPECT_EQ(g.CellAtPoint(235, 52), 7);
    EXPECT_EQ(g.CellAtPoint(13, 176), 36);
    EXPECT_EQ(g.CellAtPoint(235, 176), 42);
    // The line between columns 1 and 2 belongs to the left one; the line
    // between rows 1 and 2 to the lower one.
    EXPECT_EQ(g.CellAtPoint(44, 60), 1);
    EXPECT_EQ(g.CellAtPoint(45, 60), 2);
    EXPECT_EQ(g.CellAtPoint(20, 72), 8);
    EXPECT_EQ(g.CellAtPoint(20, 71), 1);
    // Every cell's centre maps back to that cell.
    for (int k = 1; k <= 42; ++k) {
        const CalRect r = g.CellRect(k);
        EXPECT_EQ(g.CellAtPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), k);
    }
    EXPECT_TRUE(g.PrevButton.Holds(19, 11));
    EXPECT_TRUE(g.PrevButton.Holds(35, 27));
    EXPECT_FALSE(g.PrevButton.Holds(36, 27));
}

TEST(CalendarGeometry, TinyOrNegativeSizesHitNothing)
{
    // Zero column width or row height must never divide by zero, and a
    // panel smaller than its frame must not produce cells.
    for (const auto& [w, h] : {std::pair{10, 10}, std::pair{0, 0}, std::pair{-5, 300}, std::pair{300, 20},
                               std::pair{22, 300}, std::pair{300, 9}}) {
        const CalendarGeometry g(w, h, DialogFrame(), true);
        EXPECT_FALSE(g.HasCells()) << w << "x" << h;
        for (int x = -300; x < 300; x += 3) {
            for (int y = -300; y < 300; y += 3)
                ASSERT_EQ(g.CellAtPoint(x, y), -1) << w << "x" << h << " at " << x << "," << y;
        }
    }
    const CalendarGeometry narrow(22, 300, DialogFrame(), true);
    EXPECT_FALSE(narrow.HasCells());
    const CalendarGeometry flat(300, 9, DialogFrame(), true);
    EXPECT_FALSE(flat.HasCells());
}
