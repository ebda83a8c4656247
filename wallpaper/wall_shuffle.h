// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order in which the rotation shows a folder's files: rounds of a random
// order, every file once a round, so no picture comes again before every
// other one has come. The first file of a round is never the last one of the
// round before (with two files or more), so no picture shows twice in a row.

#include <cstddef>
#include <functional>
#include <optional>
#include <random>
#include <vector>

class WallShuffle {
public:
    // A new list of `count` files: a new round starts, with no file shown yet.
    void Reset(std::size_t count);

    // The index of the next file. Files that `skip` refuses are passed over
    // and stay in the round for a later call; when every file left in the
    // round is refused a new round starts. Nothing when the list is empty or
    // `skip` refuses every file.
    std::optional<std::size_t> Next(std::mt19937& random, const std::function<bool(std::size_t)>& skip = {});

private:
    void NewRound(std::mt19937& random);

    std::size_t count_ = 0;
    std::vector<std::size_t> round_;  // the files still to come this round, the next one last
    std::optional<std::size_t> last_;
};
