// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound files played the way the program has always played them: one sound
// at a time for the whole program, in the background.

#include <string>
#include <vector>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Plays a WAV file in the background (PCM, MS ADPCM, IMA ADPCM), looping
    // when asked, after stopping the sound that plays now. A file that is
    // missing or cannot be played gives silence. Never blocks the caller.
    // A file given to Preload plays from memory without reading the disk.
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
    // Decodes these files now and holds them for Play; the files held before
    // and not named here are let go. A file already held is read again only
    // when it changed on disk since. A player without memory of its own
    // ignores it and reads the file when it plays.
    virtual void Preload(const std::vector<std::string>& files) { static_cast<void>(files); }
};

}  // namespace platform
