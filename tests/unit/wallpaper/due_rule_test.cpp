// SPDX-License-Identifier: GPL-3.0-or-later
// When the rotation changes the wallpaper, tick by tick over a simulated day.
#include "wallpaper/wall_due_step.h"
#include "wallpaper/wall_schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr TDateTime kTick = 450.0 / kMsPerDay;
constexpr TDateTime kMin = 1.0 / kMinutesPerDay;

TDateTime At(int h, int m, int s = 0, int ms = 0)
{
    return EncodeDate(2026, 12, 7) + EncodeTime(h, m, s, ms);
}

double Minutes(TDateTime span)
{
    return span * kMinutesPerDay;
}

// A directory with a few images, a schedule and a rotation, ticked every 450 ms.
class DueRule : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("zelvaro-due-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(dir);
        for (const char* n : {"a.jpg", "b.bmp", "c.gif"})
            std::ofstream(dir / n) << "x";
        settings.WallDir1 = dir.string();
        settings.WallChangeSw = true;
    }
    void TearDown() override { fs::remove_all(dir); }

    // Ticks from `from` for `span`; returns the moments of applied wallpapers.
    std::vector<TDateTime> Run(TDateTime from, TDateTime span, std::function<bool(TDateTime)> running = {})
    {
        std::vector<TDateTime> applied;
        for (TDateTime now = from; now < from + span; now += kTick) {
            const bool run = !running || running(now);
            WallpaperDueStep(schedule, rotation, settings, run, now, [&](const std::string&) {
                if (failUntil > now)
                    return WallApplier::Outcome::Failed;
                schedule.Applied(now, settings.WallInterval);
                applied.push_back(now);
                return WallApplier::Outcome::Applied;
            });
            ++ticks;
        }
        return applied;
    }

    fs::path dir;
    ClockSettings settings;
    WallSchedule schedule;
    WallRotation rotation{3};
    TDateTime failUntil = 0;
    long ticks = 0;
};

}  // namespace

TEST_F(DueRule, OneChangePerIntervalForEveryIntervalBothStartModes)
{
    for (int interval : {10, 25, 60, 65, 120, 0}) {
        for (bool atStart : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "interval " << interval << " change at start " << atStart);
            settings.WallInterval = interval * kMin;
            settings.StartWallChangeSw = atStart;
            const TDateTime start = At(10, 15, 30);
            schedule = WallSchedule();
            schedule.Start(start, atStart);
            auto changes = Run(start, 1.0);
            ASSERT_FALSE(changes.empty());
            if (atStart)
                EXPECT_LT(changes.front() - start, kTick / 2);  // the first tick
            else
                EXPECT_NEAR(Minutes(changes.front() - At(11, 14)), 0, 0.01);  // 59 minutes on
            const int every = interval < 1 ? 1 : interval;
            // Due from the start of the minute that holds the change moment.
            for (std::size_t i = 1; i < changes.size(); ++i) {
                ASSERT_GT(Minutes(changes[i] - changes[i - 1]), every - 1) << "change " << i;
                ASSERT_LT(Minutes(changes[i] - changes[i - 1]), every + 0.01) << "change " << i;
            }
            const double first = Minutes(changes.front() - start);
            EXPECT_NEAR(static_cast<double>(changes.size()), std::floor((1440 - first) / every) + 1, 1);
        }
    }
}

TEST_F(DueRule, TooLittleMemoryEndsTheTriesOfItsMinute)
{
    settings.WallInterval = 10 * kMin;
    struct Case {
        WallApplier::Outcome outcome;
        int fewest, most;  // tries in the first minute
    };
    // Every file of the folder fails once, then none is left to try; too
    // little memory ends the tries at the first.
    for (const Case c : {Case{WallApplier::Outcome::Failed, 3, 3}, Case{WallApplier::Outcome::NoMemory, 1, 1}}) {
        schedule = WallSchedule();
        schedule.Start(At(10, 0), true);
        rotation.ForgetFailures();
        int tries = 0;
        for (TDateTime now = At(10, 0); now < At(10, 1); now += kTick)
            WallpaperDueStep(schedule, rotation, settings, true, now, [&](const std::string&) {
                ++tries;
                return c.outcome;
            });
        EXPECT_GE(tries, c.fewest);
        EXPECT_LE(tries, c.most);
        // The next try is an interval after the minute the tries began in.
        EXPECT_FALSE(schedule.IsDue(At(10, 9, 59), settings.WallInterval));
        EXPECT_TRUE(schedule.IsDue(At(10, 10), settings.WallInterval));
    }
}

TEST_F(DueRule, TwentyFiveMinutesAfterAChangeAtTenFourteen)
{
    settings.WallInterval = 25 * kMin;
    schedule.NextWallChange = At(10, 14, 0, 300);
    auto changes = Run(At(10, 14, 0, 300), 2 * kMin);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_NEAR(Minutes(schedule.NextWallChange - At(10, 39, 0, 300)), 0, 1e-6);
    changes = Run(At(10, 38, 59), 2 * kMin);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_LT(changes[0] - At(10, 39), kTick);
}

TEST_F(DueRule, PausedMakesNoChangeAndResumesAtTheNextTimeItsMinuteShows)
{
    settings.WallInterval = 30 * kMin;
    schedule.Start(At(10, 7), true);
    bool paused = false;
    auto run = [&](TDateTime) { return !paused; };
    EXPECT_EQ(Run(At(10, 7), 20 * kMin, run).size(), 1u);  // 10:07, next 10:37
    paused = true;
    EXPECT_TRUE(Run(At(10, 27), 3 * 60 * kMin, run).empty());  // through 13:27
    paused = false;
    schedule.Resume(At(13, 27));
    EXPECT_NEAR(Minutes(schedule.NextWallChange - At(13, 37)), 0, 1e-6);
    auto changes = Run(At(13, 27), 45 * kMin, run);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_NEAR(Minutes(changes[0] - At(13, 37)), 0, 0.01);
    EXPECT_NEAR(Minutes(changes[1] - At(14, 7)), 0, 0.01);

    // Resumed inside the very minute: due at once; a moment still ahead stays.
    schedule.NextWallChange = At(15, 0, 30);
    schedule.Resume(At(16, 0, 50));
    EXPECT_NEAR(Minutes(schedule.NextWallChange - At(16, 0, 30)), 0, 1e-6);
    schedule.Resume(At(15, 0));
    EXPECT_NEAR(Minutes(schedule.NextWallChange - At(16, 0, 30)), 0, 1e-6);
}

TEST_F(DueRule, FailedTriesGoOnWithinTheMinuteThenWaitOneInterval)
{
    settings.WallInterval = 10 * kMin;
    schedule.NextWallChange = At(10, 0);
    failUntil = At(10, 0, 0, 800);  // the first two files fail, the third is shown
    auto changes = Run(At(10, 0), 2 * kMin);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_GE(changes[0], failUntil);
    EXPECT_LT(changes[0] - failUntil, kTick);

    // Every try of a minute fails: no more tries until one interval later.
    schedule.NextWallChange = At(11, 0);
    failUntil = At(11, 1);
    ticks = 0;
    changes = Run(At(11, 0), 15 * kMin);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_NEAR(Minutes(changes[0] - At(11, 10)), 0, 0.01);
}

TEST_F(DueRule, NoImageEndsTheTriesAndFilesAddedLaterAreFound)
{
    settings.WallInterval = 10 * kMin;
    fs::remove_all(dir);
    fs::create_directories(dir);
    schedule.NextWallChange = At(9, 0);
    EXPECT_TRUE(Run(At(9, 0), 5 * kMin).empty());
    EXPECT_NEAR(Minutes(schedule.NextWallChange - At(9, 10)), 0, 1e-6);
    std::ofstream(dir / "new.tif") << "x";
    auto changes = Run(At(9, 5), 10 * kMin);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_NEAR(Minutes(changes[0] - At(9, 10)), 0, 0.01);
}

TEST_F(DueRule, ALateTickChangesOnceAndCountsFromThere)
{
    settings.WallInterval = 10 * kMin;
    schedule.NextWallChange = At(8, 0);
    // The machine slept from 7:59 to 12:03:20.
    auto changes = Run(At(12, 3, 20), 12 * kMin);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_LT(changes[0] - At(12, 3, 20), kTick);
    EXPECT_NEAR(Minutes(changes[1] - At(12, 13)), 0, 0.01);
}
