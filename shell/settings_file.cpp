// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_file.h"

#include "base/profile_text.h"
#include "base/translatable.h"
#include "base/zelvaro_error.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <variant>

namespace {

// One key of the file: where it lives and which field it fills. The table
// order is the order of reading and of writing.
struct IntField {
    std::int32_t ClockSettings::*field;
};
struct BoolField {
    bool ClockSettings::*field;
};
struct TextField {
    std::string ClockSettings::*field;
};
struct TimeField {
    TDateTime ClockSettings::*field;
};
using Field = std::variant<IntField, BoolField, TextField, TimeField>;

struct Key {
    const char* section;
    const char* name;
    Field field;
};

const Key kKeys[] = {
    {"Location", "OffsetX", IntField{&ClockSettings::OffsetX}},
    {"Location", "OffsetY", IntField{&ClockSettings::OffsetY}},
    {"Location", "OnTop", BoolField{&ClockSettings::OnTop}},
    {"Location", "Clock24", BoolField{&ClockSettings::Clock24}},
    {"WallDir", "PanicWallPaper", TextField{&ClockSettings::PanicWallPaper}},
    {"WallDir", "WallDir1", TextField{&ClockSettings::WallDir1}},
    {"WallDir", "WallDir2", TextField{&ClockSettings::WallDir2}},
    {"WallDir", "WallDir3", TextField{&ClockSettings::WallDir3}},
    {"WallTime", "WallDir2StartTime", TimeField{&ClockSettings::WallDir2StartTime}},
    {"WallTime", "WallDir2EndTime", TimeField{&ClockSettings::WallDir2EndTime}},
    {"WallTime", "WallDir3StartTime", TimeField{&ClockSettings::WallDir3StartTime}},
    {"WallTime", "WallDir3EndTime", TimeField{&ClockSettings::WallDir3EndTime}},
    {"WallSw", "WallDir2Sw", BoolField{&ClockSettings::WallDir2Sw}},
    {"WallSw", "WallDir3Sw", BoolField{&ClockSettings::WallDir3Sw}},
    {"WallSw", "WallChangeSw", BoolField{&ClockSettings::WallChangeSw}},
    {"WallSw", "WallInterval", TimeField{&ClockSettings::WallInterval}},
    {"WallSw", "StartWallChangeSw", BoolField{&ClockSettings::StartWallChangeSw}},
    {"WallSw", "ColorDecSw", BoolField{&ClockSettings::ColorDecSw}},
    {"WallSw", "WallPerMonitorSw", BoolField{&ClockSettings::WallPerMonitorSw}},
    {"WaveFile", "JustWave", TextField{&ClockSettings::JustWave}},
    {"WaveFile", "HalfWave", TextField{&ClockSettings::HalfWave}},
    {"WaveFile", "QuarterWave", TextField{&ClockSettings::QuarterWave}},
    {"WaveSw", "UseWaveSw", BoolField{&ClockSettings::UseWaveSw}},
    {"WaveSw", "JustWaveSw", BoolField{&ClockSettings::JustWaveSw}},
    {"WaveSw", "HalfWaveSw", BoolField{&ClockSettings::HalfWaveSw}},
    {"WaveSw", "QuarterWaveSw", BoolField{&ClockSettings::QuarterWaveSw}},
    {"Alarm", "AlarmWave", TextField{&ClockSettings::AlarmWave}},
    {"Alarm", "AlarmBmp", TextField{&ClockSettings::AlarmBmp}},
    {"Alarm", "AlarmWaveSw", BoolField{&ClockSettings::AlarmWaveSw}},
    {"Alarm", "AlarmBmpSw", BoolField{&ClockSettings::AlarmBmpSw}},
};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The value of a key as the profile calls read it: cut to 1023 characters,
// empty when missing.
std::string ReadString(const ProfileText& text, const Key& key)
{
    return CutToCharacters(text.Get(key.section, key.name).value_or(""), kProfileStringLimit);
}

std::int32_t ReadInteger(const ProfileText& text, const Key& key)
{
    return ParseProfileInteger(ReadString(text, key)).value_or(0);
}

// The place of the sun: two decimal degrees in range, or nothing (a missing or
// damaged value leaves the place to the time zone, silently). from_chars, not
// strtod: the decimal point stays a point whatever the locale.
std::optional<double> ReadDegrees(const ProfileText& text, const char* name, double limit)
{
    const std::string value = text.Get("Location", name).value_or("");
    double degrees = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, error] = std::from_chars(value.data(), end, degrees);
    if (error != std::errc() || ptr != end || !std::isfinite(degrees) || std::fabs(degrees) > limit)
        return std::nullopt;
    return degrees;
}

std::optional<GeoPlace> ReadPlace(const ProfileText& text)
{
    const auto latitude = ReadDegrees(text, "Latitude", 90);
    const auto longitude = ReadDegrees(text, "Longitude", 180);
    if (!latitude || !longitude)
        return std::nullopt;
    return GeoPlace{*latitude, *longitude};
}

std::string DegreesText(double degrees)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, degrees);
    return std::string(digits, end.ptr);
}

[[noreturn]] void CannotWrite(const platform::ProfileFile& file)
{
    throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "%s に書き込めません"), file.Path());
}

}  // namespace

std::string ProgramFilePath(const std::string& executablePath, const std::string& extension)
{
    const auto slash = executablePath.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    return dir + name.substr(0, name.find('.')) + extension;
}

std::optional<std::int32_t> ParseProfileInteger(const std::string& input)
{
    std::size_t i = 0;
    while (i < input.size() && (input[i] == ' ' || input[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < input.size() && (input[i] == '-' || input[i] == '+'))
        negative = input[i++] == '-';
    int base = 10;
    if (i < input.size() && input[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < input.size() && input[i] == '0' && (input[i + 1] == 'x' || input[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == input.size())
        return std::nullopt;
    unsigned long long value = 0;
    for (; i < input.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(input[i]));
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 10) {
        const unsigned long long limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
        if (value > limit)
            return std::nullopt;
        return static_cast<std::int32_t>(negative ? -static_cast<long long>(value) : static_cast<long long>(value));
    }
    // Hexadecimal fills all 32 bits: $FFFFFFFF is -1.
    const auto bits = static_cast<std::uint32_t>(value);
    const auto signedValue = static_cast<std::int32_t>(bits);
    return negative ? static_cast<std::int32_t>(0u - bits) : signedValue;
}

void LoadSettings(const platform::ProfileFile& file, ClockSettings& settings, bool& chimeArmed)
{
    std::string content;
    switch (file.Read(content)) {
    case platform::ProfileFile::ReadResult::Missing:
        settings = ClockSettings{};
        chimeArmed = true;
        return;
    case platform::ProfileFile::ReadResult::Unreadable:
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "%s を読み込めません"), file.Path());
    case platform::ProfileFile::ReadResult::Read: break;
    }
    const ProfileText text(content);
    content = {};
    for (const Key& key : kKeys) {
        std::visit(Overloaded{
                       [&](IntField f) { settings.*f.field = ReadInteger(text, key); },
                       [&](BoolField f) { settings.*f.field = ReadInteger(text, key) != 0; },
                       [&](TextField f) { settings.*f.field = ReadString(text, key); },
                       [&](TimeField f) {
                           const std::string value = ReadString(text, key);
                           if (value.empty()) {
                               settings.*f.field = 0;
                               return;
                           }
                           const auto time = ParseTimeText(value);
                           if (!time)
                               throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "'%s' は時刻ではありません"), value);
                           settings.*f.field = *time;
                       },
                   },
                   key.field);
    }
    settings.Place = ReadPlace(text);
    chimeArmed = true;
}

void SaveSettings(platform::ProfileFile& file, const ClockSettings& settings, int windowLeft, int windowTop)
{
    // The lines the program does not know are kept, so the file is read
    // first; one that cannot be read is not overwritten.
    std::string content;
    if (file.Read(content) == platform::ProfileFile::ReadResult::Unreadable)
        CannotWrite(file);
    // A value with a line break would end its line and start keys or
    // sections of its own at the next start: it is refused, the file stays.
    for (const Key& key : kKeys) {
        if (const auto* f = std::get_if<TextField>(&key.field))
            RefuseLineBreak(settings.*f->field);
    }
    ProfileText text(content);
    content = {};
    for (const Key& key : kKeys) {
        const std::string value = std::visit(
            Overloaded{
                [&](IntField f) {
                    if (f.field == &ClockSettings::OffsetX)
                        return std::to_string(windowLeft);
                    if (f.field == &ClockSettings::OffsetY)
                        return std::to_string(windowTop);
                    return std::to_string(settings.*f.field);
                },
                [&](BoolField f) { return std::string(settings.*f.field ? "1" : "0"); },
                [&](TextField f) { return settings.*f.field; },
                [&](TimeField f) { return SettingsTimeText(settings.*f.field); },
            },
            key.field);
        text.Set(key.section, key.name, value);
    }
    // The place is written only once set: a file without it follows the time zone.
    if (settings.Place) {
        text.Set("Location", "Latitude", DegreesText(settings.Place->latitude));
        text.Set("Location", "Longitude", DegreesText(settings.Place->longitude));
    }
    if (!file.Replace(text.Serialize()))
        CannotWrite(file);
}
