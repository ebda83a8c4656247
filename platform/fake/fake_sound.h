// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records what the program asked to play.

#include "platform/sound.h"

#include <string>
#include <vector>

namespace platform {

class FakeSound : public Sound {
public:
    struct Call {
        std::string file;  // empty for a stop
        bool loop = false;
    };
    std::vector<Call> calls;
    std::string playing;  // the file playing now, empty when silent
    bool looping = false;
    std::vector<std::string> held;  // the files of the last Preload
    int preloads = 0;
    // Files TryPlay refuses, with the error text it gives for them.
    std::string unplayableSuffix;
    std::string unplayableError = "cannot play";

    std::string TryPlay(const std::string& file) override
    {
        if (!unplayableSuffix.empty() && file.size() >= unplayableSuffix.size() &&
            file.compare(file.size() - unplayableSuffix.size(), unplayableSuffix.size(), unplayableSuffix) == 0) {
            Stop();
            return unplayableError;
        }
        Play(file, false);
        return {};
    }

    void Play(const std::string& file, bool loop) override
    {
        calls.push_back({file, loop});
        playing = file;
        looping = loop;
    }
    void Stop() override
    {
        calls.push_back({});
        playing.clear();
        looping = false;
    }
    void Preload(const std::vector<std::string>& files) override
    {
        held = files;
        ++preloads;
    }
};

}  // namespace platform
