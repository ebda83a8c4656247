// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_model.h"

#include <gtest/gtest.h>

namespace {

CalendarModel At(int year, int month, int day)
{
    return CalendarModel(EncodeDate(year, month, day));
}

struct Ymd {
    int y, m, d;
    bool operator==(const Ymd&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Ymd& v)
{
    return out << v.y << "-" << v.m << "-" << v.d;
}

Ymd Held(const CalendarModel& model)
{
    return {model.Year(), model.Month(), model.Day()};
}

// The date after one key, or the start date when the key was refused.
Ymd After(Ymd start, CalendarKey key, KeyOutcome* outcome = nullptr)
{
    CalendarModel model = At(start.y, start.m, start.d);
    const KeyOutcome result = model.HandleKey(key);
    if (outcome)
        *outcome = result;
    return Held(model);
}

}  // namespace

TEST(CalendarKeys, DayAndWeekMovesAndTheirBounds)
{
    KeyOutcome outcome{};
    EXPECT_EQ(After({1, 1, 1}, CalendarKey::Left, &outcome), (Ymd{1, 1, 1}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({1, 1, 2}, CalendarKey::Left, &outcome), (Ymd{1, 1, 1}));
    EXPECT_EQ(outcome, KeyOutcome::MarkOnly);
    EXPECT_EQ(After({9999, 12, 31}, CalendarKey::Right, &outcome), (Ymd{9999, 12, 31}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({9999, 12, 30}, CalendarKey::Right), (Ymd{9999, 12, 31}));

    for (int d = 1; d <= 7; ++d) {
        EXPECT_EQ(After({1, 1, d}, CalendarKey::Up, &outcome), (Ymd{1, 1, d}));
        EXPECT_EQ(outcome, KeyOutcome::Refused) << d;
    }
    EXPECT_EQ(After({1, 1, 8}, CalendarKey::Up, &outcome), (Ymd{1, 1, 1}));
    EXPECT_EQ(outcome, KeyOutcome::MarkOnly);
    for (int d = 25; d <= 31; ++d) {
        EXPECT_EQ(After({9999, 12, d}, CalendarKey::Down, &outcome), (Ymd{9999, 12, d}));
        EXPECT_EQ(outcome, KeyOutcome::Refused) << d;
    }
    EXPECT_EQ(After({9999, 12, 24}, CalendarKey::Down), (Ymd{9999, 12, 31}));

    // Crossing into another month asks for a full repaint.
    EXPECT_EQ(After({1998, 3, 1}, CalendarKey::Left, &outcome), (Ymd{1998, 2, 28}));
    EXPECT_EQ(outcome, KeyOutcome::Full);
    EXPECT_EQ(After({1998, 12, 28}, CalendarKey::Down, &outcome), (Ymd{1999, 1, 4}));
    EXPECT_EQ(outcome, KeyOutcome::Full);
}

TEST(CalendarKeys, MonthStep)
{
    EXPECT_EQ(After({1999, 1, 31}, CalendarKey::PageDown), (Ymd{1999, 2, 28}));
    EXPECT_EQ(After({2000, 1, 31}, CalendarKey::PageDown), (Ymd{2000, 2, 29}));
    EXPECT_EQ(After({1999, 1, 30}, CalendarKey::PageDown), (Ymd{1999, 2, 27}));
    EXPECT_EQ(After({1999, 1, 15}, CalendarKey::PageDown), (Ymd{1999, 2, 15}));
    EXPECT_EQ(After({1999, 3, 15}, CalendarKey::PageUp), (Ymd{1999, 2, 15}));
    EXPECT_EQ(After({1999, 3, 30}, CalendarKey::PageUp), (Ymd{1999, 2, 27}));
    EXPECT_EQ(After({1999, 5, 31}, CalendarKey::PageUp), (Ymd{1999, 4, 30}));
    EXPECT_EQ(After({1999, 12, 31}, CalendarKey::PageDown), (Ymd{2000, 1, 31}));
    EXPECT_EQ(After({2, 1, 10}, CalendarKey::PageUp), (Ymd{1, 12, 10}));

    KeyOutcome outcome{};
    EXPECT_EQ(After({1, 1, 20}, CalendarKey::PageUp, &outcome), (Ymd{1, 1, 20}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({9999, 12, 1}, CalendarKey::PageDown, &outcome), (Ymd{9999, 12, 1}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({1, 2, 28}, CalendarKey::PageUp, &outcome), (Ymd{1, 1, 28}));
    EXPECT_EQ(outcome, KeyOutcome::Full);
    EXPECT_EQ(After({9999, 11, 30}, CalendarKey::PageDown), (Ymd{9999, 12, 30}));
}

TEST(CalendarKeys, YearStep)
{
    EXPECT_EQ(After({2000, 3, 10}, CalendarKey::End), (Ymd{1999, 3, 10}));
    EXPECT_EQ(After({1999, 3, 10}, CalendarKey::Home), (Ymd{2000, 3, 10}));
    EXPECT_EQ(After({2000, 2, 29}, CalendarKey::Home), (Ymd{2001, 3, 1}));
    EXPECT_EQ(After({2001, 2, 10}, CalendarKey::End), (Ymd{2000, 2, 10}));
    EXPECT_EQ(After({2026, 12, 7}, CalendarKey::Home), (Ymd{2027, 12, 7}));

    KeyOutcome outcome{};
    EXPECT_EQ(After({1, 6, 1}, CalendarKey::End, &outcome), (Ymd{1, 6, 1}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({9999, 1, 1}, CalendarKey::Home, &outcome), (Ymd{9999, 1, 1}));
    EXPECT_EQ(outcome, KeyOutcome::Refused);
    EXPECT_EQ(After({9998, 12, 31}, CalendarKey::Home, &outcome), (Ymd{9999, 12, 31}));
    EXPECT_EQ(outcome, KeyOutcome::Full);
    EXPECT_EQ(After({2, 1, 1}, CalendarKey::End), (Ymd{1, 1, 1}));

    // A year step is remembered as one move: the mark to erase is the cell
    // selected before it.
    CalendarModel model = At(2000, 2, 29);
    const int before = model.SelectedCell();
    model.HandleKey(CalendarKey::Home);
    EXPECT_EQ(model.PreviousCell(), before);
    EXPECT_EQ(model.LastYear(), 2000);
    EXPECT_EQ(model.LastMonth(), 2);
}

TEST(CalendarKeys, YearStepKeepsDayAndMonthOnEveryDayOfALeapCycle)
{
    // One year on or back keeps the day and month; only 29 February, which
    // the other year lacks, becomes 1 March.
    for (long long n = EncodeDate(1999, 1, 1); n <= EncodeDate(2005, 12, 31); ++n) {
        for (const CalendarKey key : {CalendarKey::Home, CalendarKey::End}) {
            CalendarModel model{static_cast<double>(n)};
            const Ymd start = Held(model);
            ASSERT_EQ(model.HandleKey(key), KeyOutcome::Full);
            const int year = start.y + (key == CalendarKey::Home ? 1 : -1);
            const Ymd expected = start.m == 2 && start.d == 29 ? Ymd{year, 3, 1} : Ymd{year, start.m, start.d};
            EXPECT_EQ(Held(model), expected) << "from " << start;
        }
    }
    EXPECT_EQ(After({1999, 3, 1}, CalendarKey::Home), (Ymd{2000, 3, 1}));
}
