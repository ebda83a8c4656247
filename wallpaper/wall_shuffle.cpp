// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_shuffle.h"

#include <algorithm>
#include <numeric>

void WallShuffle::Reset(std::size_t count)
{
    count_ = count;
    round_.clear();
    last_.reset();
}

void WallShuffle::NewRound(std::mt19937& random)
{
    round_.resize(count_);
    std::iota(round_.begin(), round_.end(), std::size_t{0});
    std::shuffle(round_.begin(), round_.end(), random);
    // The seam: the file shown last does not open the new round; it trades
    // places with one picked at random from the rest.
    if (round_.size() > 1 && round_.back() == last_) {
        std::uniform_int_distribution<std::size_t> other(0, round_.size() - 2);
        std::swap(round_.back(), round_[other(random)]);
    }
}

std::optional<std::size_t> WallShuffle::Next(std::mt19937& random, const std::function<bool(std::size_t)>& skip)
{
    if (count_ == 0)
        return std::nullopt;
    const auto usable = [&](std::size_t i) { return !skip || !skip(i); };
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (round_.empty() || attempt == 1)
            NewRound(random);
        // The round is kept with its next file last, so the search runs from the back.
        const auto found = std::find_if(round_.rbegin(), round_.rend(), usable);
        if (found == round_.rend())
            continue;
        const std::size_t index = *found;
        round_.erase(std::next(found).base());
        last_ = index;
        return index;
    }
    return std::nullopt;
}
