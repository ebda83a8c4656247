// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/sound/sdl_sound.h"

#include <QObject>

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

constexpr int kChannel = 0;
// One format for every decoded sound and for the device; SDL converts to
// what the hardware wants, so a sound decoded earlier always fits.
constexpr int kFrequency = MIX_DEFAULT_FREQUENCY;
constexpr Uint16 kFormat = MIX_DEFAULT_FORMAT;
constexpr int kChannels = 2;

// The mixer's "channel finished" callback has no user data and runs on the
// audio thread: it only posts to the instance's context on the window's thread.
std::atomic<QObject*> g_finishedContext{nullptr};
std::atomic<SdlSound*> g_finishedSound{nullptr};

void OnChannelFinished(int)
{
    QObject* context = g_finishedContext.load();
    SdlSound* sound = g_finishedSound.load();
    if (!context || !sound)
        return;
    QMetaObject::invokeMethod(
        context, [sound] { sound->CloseWhenSilent(); }, Qt::QueuedConnection);
}

bool StampOf(const std::string& file, SdlSound::FileStamp& stamp)
{
    struct stat st {};
    if (file.empty() || ::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp = {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
             static_cast<unsigned long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
             static_cast<long long>(st.st_mtim.tv_nsec)};
    return true;
}

}  // namespace

struct SdlSound::Decoded {
    std::vector<Uint8> samples;  // kFormat, kChannels, kFrequency
    std::string failure;         // why there are none
};

struct SdlSound::Playing {
    Playing(Mix_Chunk* c, std::shared_ptr<const Decoded> s) : chunk(c), sound(std::move(s)) {}
    // The chunk only points into `sound`; freeing it leaves the samples alone.
    ~Playing() { Mix_FreeChunk(chunk); }
    Playing(const Playing&) = delete;
    Playing& operator=(const Playing&) = delete;
    Mix_Chunk* chunk;
    std::shared_ptr<const Decoded> sound;
};

SdlSound::SdlSound() : context_(std::make_unique<QObject>())
{
    g_finishedContext = context_.get();
    g_finishedSound = this;
}

SdlSound::~SdlSound()
{
    g_finishedSound = nullptr;
    g_finishedContext = nullptr;
    CloseDevice();
}

std::shared_ptr<const SdlSound::Decoded> SdlSound::Decode(const std::string& file)
{
    auto decoded = std::make_shared<Decoded>();
    const auto fail = [&decoded](std::string why) {
        decoded->failure = std::move(why);
        return decoded;
    };
    // A missing file, a directory, a device or a huge file: silence.
    struct stat st {};
    if (file.empty() || ::stat(file.c_str(), &st) != 0)
        return fail(file + ": the file cannot be found");
    if (!S_ISREG(st.st_mode))
        return fail(file + ": not a sound file");
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxFileBytes)
        return fail(file + ": the file is too large to play");
    ++decodes_;
    SDL_AudioSpec format{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(file.c_str(), &format, &raw, &length))
        return fail(file + ": " + SDL_GetError());
    const std::unique_ptr<Uint8, decltype(&SDL_free)> owned(raw, SDL_free);
    SDL_AudioCVT cvt{};
    const int needed = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, kFormat, kChannels,
                                         kFrequency);
    if (needed < 0 || length == 0 || length > static_cast<Uint32>(INT_MAX / std::max(1, cvt.len_mult)))
        return fail(file + ": the sound cannot be converted for playing");
    // A small file can grow many times over in the device's format (8-bit
    // mono at a low rate becomes 16-bit stereo at 44.1 kHz), and it is held
    // for as long as the settings name it.
    if (static_cast<double>(length) * (needed > 0 ? cvt.len_ratio : 1.0) > static_cast<double>(kMaxDecodedBytes))
        return fail(file + ": the sound is too long to play");
    std::vector<Uint8> samples(static_cast<std::size_t>(length) * std::max(1, cvt.len_mult));
    std::memcpy(samples.data(), raw, length);
    std::size_t converted = length;
    if (needed > 0) {
        cvt.buf = samples.data();
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) != 0)
            return fail(file + ": " + SDL_GetError());
        converted = static_cast<std::size_t>(cvt.len_cvt);
    }
    samples.resize(converted);
    samples.shrink_to_fit();
    decoded->samples = std::move(samples);
    return decoded;
}

void SdlSound::Preload(const std::vector<std::string>& files)
{
    std::map<std::string, Held> kept;
    for (const std::string& file : files) {
        if (file.empty() || kept.count(file))
            continue;
        FileStamp stamp;
        const bool exists = StampOf(file, stamp);
        const auto old = held_.find(file);
        if (old != held_.end() && exists && old->second.stamp == stamp && !old->second.sound->samples.empty()) {
            kept.emplace(file, old->second);
            continue;
        }
        kept.emplace(file, Held{stamp, Decode(file)});
    }
    held_ = std::move(kept);
}

bool SdlSound::OpenDevice()
{
    if (device_ == Device::Open)
        return true;
    // Without this SDL takes over SIGINT and SIGTERM and the program no longer ends on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // No format changes allowed: SDL converts to the hardware, so the
    // decoded samples always match.
    if (Mix_OpenAudioDevice(kFrequency, kFormat, kChannels, 2048, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    Mix_ChannelFinished(OnChannelFinished);
    device_ = Device::Open;
    return true;
}

void SdlSound::CloseDevice()
{
    if (device_ != Device::Open)
        return;
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    playing_.reset();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = Device::Closed;
}

void SdlSound::CloseWhenSilent()
{
    if (device_ == Device::Open && Mix_Playing(-1) == 0)
        CloseDevice();
}

void SdlSound::Play(const std::string& file, bool loop)
{
    Start(file, loop);
}

std::string SdlSound::TryPlay(const std::string& file)
{
    return Start(file, false);
}

std::string SdlSound::Start(const std::string& file, bool loop)
{
    if (device_ == Device::Open)
        Mix_HaltChannel(-1);
    playing_.reset();
    const auto held = held_.find(file);
    const std::shared_ptr<const Decoded> sound = held != held_.end() ? held->second.sound : Decode(file);
    if (sound->samples.empty()) {
        CloseWhenSilent();
        return sound->failure;
    }
    if (!OpenDevice())
        return std::string("The sound device cannot be opened: ") + SDL_GetError();
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(const_cast<Uint8*>(sound->samples.data()),
                                         static_cast<Uint32>(sound->samples.size()));
    if (!chunk) {
        CloseWhenSilent();
        return file + ": " + Mix_GetError();
    }
    playing_ = std::make_unique<Playing>(chunk, sound);
    if (Mix_PlayChannel(kChannel, chunk, loop ? -1 : 0) < 0) {
        const std::string why = file + ": " + Mix_GetError();
        CloseWhenSilent();
        return why;
    }
    return {};
}

void SdlSound::Stop()
{
    if (device_ != Device::Open)
        return;
    Mix_HaltChannel(-1);
    CloseWhenSilent();
}

}  // namespace platform
