// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sounds over SDL2_mixer: one channel for the whole program, so a new sound
// stops the one that plays. The audio device is open only while a sound
// plays: SDL's audio thread runs for as long as it is open, even in silence,
// so it is closed when the last sound ends and opened again for the next.
// While it cannot be opened the program stays silent and tries again at the
// next sound.
//
// Files are decoded (SDL's WAV reader) into the device's format when they are
// preloaded, or when a file that was not preloaded is played; a preloaded
// file plays from memory without touching the disk.

#include "platform/sound.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class QObject;

namespace platform {

class SdlSound : public Sound {
public:
    SdlSound();
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void Play(const std::string& file, bool loop) override;
    std::string TryPlay(const std::string& file) override;
    void Stop() override;
    void Preload(const std::vector<std::string>& files) override;

    // True while the audio device is open.
    bool DeviceOpen() const { return device_ == Device::Open; }
    // How many times a file was read and decoded (for tests).
    int Decodes() const { return decodes_; }
    // Closes the device when no sound plays (run when a sound has ended).
    void CloseWhenSilent();

    // Files larger than this are not loaded (the whole file is decoded at
    // once on the caller's thread, which must not stall).
    static constexpr std::uintmax_t kMaxFileBytes = 32u * 1024u * 1024u;
    // Nor is a sound that takes more than this in the device's format (about
    // six minutes of CD-quality stereo).
    static constexpr std::uintmax_t kMaxDecodedBytes = 64u * 1024u * 1024u;

    struct Decoded;
    struct FileStamp {
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtimeSec = 0, mtimeNsec = 0;
        bool operator==(const FileStamp&) const = default;
    };

private:
    struct Held {
        FileStamp stamp;
        std::shared_ptr<const Decoded> sound;  // empty samples: silence
    };
    struct Playing;

    std::shared_ptr<const Decoded> Decode(const std::string& file);
    bool OpenDevice();
    void CloseDevice();
    // Starts the file; the reason when it cannot, empty when it plays.
    std::string Start(const std::string& file, bool loop);

    std::map<std::string, Held> held_;
    std::unique_ptr<Playing> playing_;
    std::unique_ptr<QObject> context_;  // receives "a sound ended" on the window's thread
    enum class Device { Closed, Open } device_ = Device::Closed;
    int decodes_ = 0;
};

}  // namespace platform
