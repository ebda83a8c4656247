// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop that records the wallpapers it is given and answers as the test says.

#include "platform/desktop.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

class FakeDesktop : public Desktop {
public:
    std::vector<std::string> calls;      // every path handed over, refusals included
    std::string shown;                   // the path of the last accepted call
    std::deque<Result> answers;          // answered in turn; Done when empty
    Layout layout = Layout::AsRegistry;  // the layout of the last call
    bool composes = true;                // answer of ShowsComposed

    Result SetWallpaper(const std::string& bmpPath) override
    {
        calls.push_back(bmpPath);
        Result r = Result::Done;
        if (!answers.empty()) {
            r = answers.front();
            answers.pop_front();
        }
        if (r == Result::Done)
            shown = bmpPath;
        return r;
    }
    std::string Name() const override { return "fake"; }
    bool ShowsComposed() const override { return composes; }
    void SetLayout(Layout l) override { layout = l; }
};

}  // namespace platform
