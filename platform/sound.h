#pragma once
// Sound files played the way the program has always played them: one sound
// at a time for the whole program, in the background.

#include <string>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Plays a WAV file in the background (PCM, MS ADPCM, IMA ADPCM), looping
    // when asked, after stopping the sound that plays now. A file that is
    // missing or cannot be played gives silence. Never blocks the caller.
    virtual void Play(const std::string& file, bool loop) = 0;
    // Plays once, like Play, but says why a file cannot be played: the
    // player's error text, empty when the sound plays (the sound test of the
    // sound picker shows it).
    virtual std::string TryPlay(const std::string& file)
    {
        Play(file, false);
        return {};
    }
    // Stops the sound that plays now, if any.
    virtual void Stop() = 0;
};

}  // namespace platform
