#pragma once
// Sounds over SDL2_mixer: one channel for the whole program, so a new sound
// stops the one that plays. The audio device opens at the first sound and
// stays open; while it cannot be opened the program stays silent and tries
// again at the next sound.

#include "platform/sound.h"

#include <cstdint>
#include <memory>
#include <string>

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

    // Files larger than this are not loaded (the whole file is decoded at
    // once on the caller's thread, which must not stall).
    static constexpr std::uintmax_t kMaxFileBytes = 32u * 1024u * 1024u;

private:
    bool OpenDevice();
    // Starts the file; the reason when it cannot, empty when it plays.
    std::string Start(const std::string& file, bool loop);
    struct Chunk;
    std::unique_ptr<Chunk> playing_;
    enum class Device { Closed, Open, Failed } device_ = Device::Closed;
};

}  // namespace platform
