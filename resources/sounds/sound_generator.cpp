// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the sounds that ship with the program and writes them as WAV files
// (16-bit PCM, mono, 22050 Hz): a chime for the hour, a signal for the half
// hour and one for the quarters, all struck bells, and an alarm of short
// beeps that loops without a click. Run by the build; the files are installed
// in the program's data folder, where the sound pickers open.
//
//   sound_generator <output folder>
//
// Everything is computed, nothing is random: the same build makes the same
// bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

using Samples = std::vector<float>;

Samples Silence(double seconds)
{
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.f);
}

// One bell stroke at `pitch` Hz added into `out` from `start` seconds on: a
// few inharmonic partials (a church bell's hum, prime, tierce, quint and
// nominal, roughly), the higher ones dying sooner, with a soft 4 ms attack.
void StrikeBell(Samples& out, double start, double pitch, double loudness, double ring)
{
    struct Partial {
        double ratio;
        double level;
        double decay;  // seconds to fall to 1/e, as a share of `ring`
    };
    static constexpr Partial kPartials[] = {
        {0.5, 0.35, 1.00}, {1.0, 1.00, 0.80}, {1.19, 0.45, 0.55}, {1.5, 0.30, 0.45},
        {2.0, 0.55, 0.40}, {2.5, 0.20, 0.25}, {3.0, 0.15, 0.20},
    };
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto length = static_cast<std::size_t>(ring * 5.0 * kRate);
    for (std::size_t i = 0; i < length && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        double v = 0.0;
        for (const Partial& p : kPartials)
            v += p.level * std::exp(-t / (p.decay * ring)) * std::sin(2.0 * std::numbers::pi * pitch * p.ratio * t);
        out[first + i] += static_cast<float>(loudness * attack * v);
    }
}

// A short beep of the alarm: a square-ish tone (two odd harmonics) with
// 5 ms ramps at both ends, so it starts and stops without a click.
void Beep(Samples& out, double start, double pitch, double seconds)
{
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto length = static_cast<std::size_t>(seconds * kRate);
    for (std::size_t i = 0; i < length && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double ramp = std::min({1.0, t / 0.005, (seconds - t) / 0.005});
        const double w = 2.0 * std::numbers::pi * pitch * t;
        out[first + i] += static_cast<float>(ramp * (std::sin(w) + std::sin(3 * w) / 3.0 + std::sin(5 * w) / 8.0));
    }
}

// Scales the loudest sample to `peak` of full scale and fades the last 50 ms.
void Finish(Samples& s, double peak)
{
    float loudest = 0.f;
    for (float v : s)
        loudest = std::max(loudest, std::fabs(v));
    const float gain = loudest > 0.f ? static_cast<float>(peak) / loudest : 0.f;
    const std::size_t fade = std::min<std::size_t>(s.size(), kRate / 20);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t left = s.size() - i;
        const float tail = left < fade ? static_cast<float>(left) / static_cast<float>(fade) : 1.f;
        s[i] *= gain * tail;
    }
}

Samples HourChime()
{
    // Four strokes falling, then the hour bell below them, left to ring out.
    Samples s = Silence(4.2);
    const double notes[] = {659.3, 523.3, 587.3, 392.0};  // E5 C5 D5 G4
    for (int i = 0; i < 4; ++i)
        StrikeBell(s, 0.45 * i, notes[i], 0.8, 0.6);
    StrikeBell(s, 1.9, 261.6, 1.0, 1.0);  // C4
    Finish(s, 0.7);
    return s;
}

Samples HalfHourSignal()
{
    Samples s = Silence(2.4);
    StrikeBell(s, 0.0, 659.3, 0.9, 0.5);
    StrikeBell(s, 0.5, 523.3, 1.0, 0.7);
    Finish(s, 0.65);
    return s;
}

Samples QuarterHourSignal()
{
    Samples s = Silence(1.6);
    StrikeBell(s, 0.0, 784.0, 1.0, 0.45);  // G5
    Finish(s, 0.6);
    return s;
}

Samples Alarm()
{
    // Four quick beeps and a rest, one second in all: looped, a steady call.
    Samples s = Silence(1.0);
    for (int i = 0; i < 4; ++i)
        Beep(s, 0.12 * i, 1046.5, 0.07);  // C6
    Finish(s, 0.6);
    return s;
}

void Put16(std::FILE* f, unsigned v)
{
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void Put32(std::FILE* f, std::uint32_t v)
{
    Put16(f, v & 0xFFFF);
    Put16(f, v >> 16);
}

bool WriteWav(const std::string& path, const Samples& s)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    Put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    Put32(f, 16);         // the format block's size
    Put16(f, 1);          // PCM
    Put16(f, 1);          // mono
    Put32(f, kRate);      // samples per second
    Put32(f, kRate * 2);  // bytes per second
    Put16(f, 2);          // bytes per sample frame
    Put16(f, 16);         // bits per sample
    std::fwrite("data", 1, 4, f);
    Put32(f, dataBytes);
    for (float v : s)
        Put16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.f, 1.f) * 32767))));
    const bool written = std::ferror(f) == 0;
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const struct {
        const char* name;
        Samples (*make)();
    } sounds[] = {
        {"hour_chime.wav", HourChime},
        {"half_hour_signal.wav", HalfHourSignal},
        {"quarter_hour_signal.wav", QuarterHourSignal},
        {"alarm.wav", Alarm},
    };
    for (const auto& sound : sounds) {
        if (!WriteWav(folder + sound.name, sound.make())) {
            std::fprintf(stderr, "%s: cannot write %s%s\n", argv[0], folder.c_str(), sound.name);
            return 1;
        }
    }
    return 0;
}
