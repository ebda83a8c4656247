#include "platform/linux/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <sys/stat.h>

namespace platform {

namespace {
constexpr int kChannel = 0;
}

struct SdlSound::Chunk {
    explicit Chunk(Mix_Chunk* c) : chunk(c) {}
    ~Chunk() { Mix_FreeChunk(chunk); }
    Chunk(const Chunk&) = delete;
    Chunk& operator=(const Chunk&) = delete;
    Mix_Chunk* chunk;
};

SdlSound::SdlSound() = default;

SdlSound::~SdlSound()
{
    if (device_ == Device::Open) {
        Mix_HaltChannel(-1);
        playing_.reset();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlSound::OpenDevice()
{
    // A device that failed is tried again at the next sound: sounds are rare
    // (a few an hour) and the sound server may have started since.
    if (device_ == Device::Open)
        return true;
    device_ = Device::Failed;
    // Without this SDL takes over SIGINT and SIGTERM and the program no longer ends on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    device_ = Device::Open;
    return true;
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
    Stop();
    struct stat st{};
    // A missing file, a directory, a device or a huge file: silence.
    if (file.empty() || ::stat(file.c_str(), &st) != 0)
        return file + ": the file cannot be found";
    if (!S_ISREG(st.st_mode))
        return file + ": not a sound file";
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxFileBytes)
        return file + ": the file is too large to play";
    if (!OpenDevice())
        return std::string("The sound device cannot be opened: ") + SDL_GetError();
    Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
    if (!chunk)
        return file + ": " + Mix_GetError();
    playing_ = std::make_unique<Chunk>(chunk);
    if (Mix_PlayChannel(kChannel, chunk, loop ? -1 : 0) < 0) {
        playing_.reset();
        return file + ": " + Mix_GetError();
    }
    return {};
}

void SdlSound::Stop()
{
    if (device_ != Device::Open)
        return;
    Mix_HaltChannel(-1);
    playing_.reset();
}

}  // namespace platform
