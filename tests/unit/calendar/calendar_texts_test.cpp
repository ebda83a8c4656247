// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

TEST(CalendarTexts, NamesCutToDisplayColumns)
{
    EXPECT_EQ(CutToColumns("Sun", 2), "Su");
    EXPECT_EQ(CutToColumns("Sun", 1), "S");
    EXPECT_EQ(CutToColumns("Sunday", 3), "Sun");
    EXPECT_EQ(CutToColumns("Mo", 3), "Mo");
    EXPECT_EQ(CutToColumns("", 3), "");
    // A wide character is two columns: whole at 2 and 3, gone at 1.
    EXPECT_EQ(CutToColumns("月", 2), "月");
    EXPECT_EQ(CutToColumns("月", 3), "月");
    EXPECT_EQ(CutToColumns("月", 1), "");
    EXPECT_EQ(CutToColumns("月曜日", 3), "月");
    EXPECT_EQ(CutToColumns("月曜日", 4), "月曜");
    // Half-width katakana is one column each, as its one byte was.
    EXPECT_EQ(CutToColumns("ﾆﾁﾖｳ", 2), "ﾆﾁ");
    // Accented and Cyrillic letters are one column and never split.
    EXPECT_EQ(CutToColumns("mié.", 3), "mié");
    EXPECT_EQ(CutToColumns("вс", 1), "в");
    // A combining mark stays with its letter.
    EXPECT_EQ(CutToColumns("e\xCC\x81te", 1), "e\xCC\x81");
}

TEST(CalendarTexts, BrokenUtf8IsCutSafely)
{
    EXPECT_EQ(CutToColumns("\xE6\x9C", 3), "\xE6\x9C");  // cut sequence: one column per byte
    EXPECT_EQ(CutToColumns("\xFF\xFE\xFD\xFC", 2), "\xFF\xFE");
    EXPECT_EQ(CutToColumns("\xF0\x9F", 1), "\xF0");
}

TEST(CalendarTexts, TitleAndDayNames)
{
    EXPECT_EQ(CalendarTitle(1998, "March"), "1998 March");
    EXPECT_EQ(CalendarTitle(1, "Jan"), "0001 Jan");
    EXPECT_EQ(CalendarTitle(2026, "12月"), "2026 12月");
    // English puts the month first; a pattern without both marks keeps the written order.
    EXPECT_EQ(CalendarTitle(2026, "December", "%2 %1"), "December 2026");
    EXPECT_EQ(CalendarTitle(7, "%1", "%2 %1"), "%1 0007");
    EXPECT_EQ(CalendarTitle(2026, "May", "%2"), "2026 May");
    const auto names = CalendarDayNames({"Sunday", "Mon", "Tue"});
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], "Sun");
    EXPECT_EQ(names[1], "Mon");
    EXPECT_EQ(names[6], "");
    EXPECT_EQ(CalendarDayNames({"日", "月", "火", "水", "木", "金", "土"})[6], "土");
}
