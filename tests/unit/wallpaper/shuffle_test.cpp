// SPDX-License-Identifier: GPL-3.0-or-later
// The rotation shows every file of a folder once before any comes again.
#include "wallpaper/wall_shuffle.h"

#include <gtest/gtest.h>

#include <set>

TEST(WallShuffle, EveryFileOnceARoundAndNoRepeatAcrossTheSeam)
{
    for (const std::size_t count : {1u, 2u, 7u, 100u}) {
        SCOPED_TRACE(count);
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            std::mt19937 random(seed);
            WallShuffle shuffle;
            shuffle.Reset(count);
            std::optional<std::size_t> previous;
            std::set<std::vector<std::size_t>> orders;
            for (int round = 0; round < 6; ++round) {
                std::vector<std::size_t> order;
                std::set<std::size_t> seen;
                for (std::size_t i = 0; i < count; ++i) {
                    const auto next = shuffle.Next(random);
                    ASSERT_TRUE(next);
                    ASSERT_LT(*next, count);
                    EXPECT_TRUE(seen.insert(*next).second) << "file " << *next << " twice in round " << round;
                    if (count > 1) {
                        EXPECT_NE(next, previous) << "the same file twice in a row, round " << round;
                    }
                    previous = next;
                    order.push_back(*next);
                }
                orders.insert(order);
            }
            // Still random: the rounds do not all come in one order.
            if (count > 2) {
                EXPECT_GT(orders.size(), 1u);
            }
        }
    }
}

TEST(WallShuffle, SkippedFilesWaitInTheRoundAndANewListStartsOver)
{
    std::mt19937 random(3);
    WallShuffle shuffle;
    EXPECT_FALSE(shuffle.Next(random));  // no files
    shuffle.Reset(4);
    const auto first = shuffle.Next(random);
    // Every file refused: nothing.
    EXPECT_FALSE(shuffle.Next(random, [](std::size_t) { return true; }));
    // One file refused for a while: the others come, then it.
    const std::size_t refused = (*first + 1) % 4;
    std::set<std::size_t> seen{*first};
    for (int i = 0; i < 2; ++i)
        seen.insert(*shuffle.Next(random, [&](std::size_t f) { return f == refused; }));
    EXPECT_EQ(seen.count(refused), 0u);
    EXPECT_EQ(shuffle.Next(random), refused);
    // A new list: a round of its own from the start.
    shuffle.Reset(3);
    std::set<std::size_t> fresh;
    for (int i = 0; i < 3; ++i)
        fresh.insert(*shuffle.Next(random));
    EXPECT_EQ(fresh, (std::set<std::size_t>{0, 1, 2}));
}
