// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/zelvaro_error.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ClockSettings Load(const std::string& content, bool* armed = nullptr)
{
    platform::MemoryProfileFile file;
    file.content = content;
    ClockSettings s;
    bool chime = false;
    LoadSettings(file, s, chime);
    if (armed)
        *armed = chime;
    return s;
}

}  // namespace

TEST(SettingsFile, FileNameFollowsTheExecutable)
{
    EXPECT_EQ(ProgramFilePath("/opt/tools/zelvaro", ".INI"), "/opt/tools/zelvaro.INI");
    EXPECT_EQ(ProgramFilePath("/opt/tools/my.clock", ".INI"), "/opt/tools/my.INI");
    EXPECT_EQ(ProgramFilePath("/opt/my.dir/zelvaro.bin", ".HLP"), "/opt/my.dir/zelvaro.HLP");
    EXPECT_EQ(ProgramFilePath("zelvaro", ".INI"), "zelvaro.INI");
}

TEST(SettingsFile, IntegersAcceptDecimalAndHexadecimal)
{
    EXPECT_EQ(ParseProfileInteger("-25"), -25);
    EXPECT_EQ(ParseProfileInteger("$1F"), 31);
    EXPECT_EQ(ParseProfileInteger("0x1"), 1);
    EXPECT_EQ(ParseProfileInteger("0XfF"), 255);
    EXPECT_EQ(ParseProfileInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "yes", "abc", "12ab", "2147483648", "0x", "$", "1 2", "99999999999999999999"})
        EXPECT_FALSE(ParseProfileInteger(bad).has_value()) << bad;
}

TEST(SettingsFile, MissingFileGivesDefaultsAndArmsTheChimes)
{
    platform::MemoryProfileFile file;
    ClockSettings s;
    s.OffsetX = 77;
    s.JustWave = "x.wav";
    bool armed = false;
    LoadSettings(file, s, armed);
    EXPECT_TRUE(armed);
    EXPECT_EQ(s.OffsetX, 0);
    EXPECT_EQ(s.JustWave, "");
    EXPECT_FALSE(file.content.has_value());
}

TEST(SettingsFile, ValuesConvertAsTheFileHoldsThem)
{
    bool armed = false;
    const ClockSettings s = Load(
        "[Location]\nOffsetX=-12\nOffsetY=$10\nOnTop=0x1\nClock24=1\n"
        "[WallSw]\nWallChangeSw=7\nWallDir2Sw=yes\nWallInterval=\nColorDecSw=2\nWallPerMonitorSw=on\n"
        "[WallTime]\nWallDir2StartTime=00:30:00\nWallDir2EndTime=0:30:00\n"
        "WallDir3StartTime=9:00 PM\n"
        "[WaveSw]\nUseWaveSw=abc\n[Alarm]\nAlarmBmp=/home/u/a b.bmp\n",
        &armed);
    EXPECT_TRUE(armed);
    EXPECT_EQ(s.OffsetX, -12);
    EXPECT_EQ(s.OffsetY, 16);
    EXPECT_TRUE(s.OnTop);
    EXPECT_TRUE(s.Clock24);
    EXPECT_TRUE(s.WallChangeSw);
    EXPECT_FALSE(s.WallDir2Sw);
    EXPECT_TRUE(s.ColorDecSw);
    EXPECT_FALSE(s.WallPerMonitorSw);
    EXPECT_EQ(s.WallInterval, 0);
    EXPECT_DOUBLE_EQ(s.WallDir2StartTime, 30 / kMinutesPerDay);
    EXPECT_DOUBLE_EQ(s.WallDir2EndTime, 30 / kMinutesPerDay);
    EXPECT_DOUBLE_EQ(s.WallDir3StartTime, 21 / 24.0);
    EXPECT_FALSE(s.UseWaveSw);
    EXPECT_EQ(s.AlarmBmp, "/home/u/a b.bmp");
}

TEST(SettingsFile, BadTimeStopsTheLoadAtItsKey)
{
    platform::MemoryProfileFile file;
    file.content = "[Location]\nOffsetX=5\n[WallTime]\nWallDir2StartTime=8:00\nWallDir2EndTime=soon\n"
                   "[WallSw]\nWallChangeSw=1\n";
    ClockSettings s;
    bool armed = false;
    try {
        LoadSettings(file, s, armed);
        FAIL() << "no error raised";
    } catch (const ZelvaroError& e) {
        EXPECT_STREQ(e.what(), "'soon' は時刻ではありません");
    }
    EXPECT_FALSE(armed);
    EXPECT_EQ(s.OffsetX, 5);
    EXPECT_DOUBLE_EQ(s.WallDir2StartTime, 8 / 24.0);
    EXPECT_FALSE(s.WallChangeSw);
}

TEST(SettingsFile, NewFileHoldsEverySectionAndKeyInOrder)
{
    platform::MemoryProfileFile file;
    ClockSettings s;
    s.OnTop = true;
    s.WallInterval = 65 / kMinutesPerDay;
    s.JustWave = "/snd/hour.wav";
    SaveSettings(file, s, -4, 300);
    EXPECT_EQ(*file.content,
              "[Location]\nOffsetX=-4\nOffsetY=300\nOnTop=1\nClock24=0\n"
              "[WallDir]\nPanicWallPaper=\nWallDir1=\nWallDir2=\nWallDir3=\n"
              "[WallTime]\nWallDir2StartTime=0:00:00\nWallDir2EndTime=0:00:00\nWallDir3StartTime=0:00:00\n"
              "WallDir3EndTime=0:00:00\n"
              "[WallSw]\nWallDir2Sw=0\nWallDir3Sw=0\nWallChangeSw=0\nWallInterval=1:05:00\nStartWallChangeSw=0\n"
              "ColorDecSw=0\nWallPerMonitorSw=0\n"
              "[WaveFile]\nJustWave=/snd/hour.wav\nHalfWave=\nQuarterWave=\n"
              "[WaveSw]\nUseWaveSw=0\nJustWaveSw=0\nHalfWaveSw=0\nQuarterWaveSw=0\n"
              "[Alarm]\nAlarmWave=\nAlarmBmp=\nAlarmWaveSw=0\nAlarmBmpSw=0\n");
}

TEST(SettingsFile, SaveKeepsForeignLinesAndRoundTrips)
{
    platform::MemoryProfileFile file;
    file.content = "; hand-written\n[Mine]\nx=1\n[Location]\nOffsetX=3\nColour=blue\n";
    ClockSettings s;
    s.UseWaveSw = true;
    s.WallDir3EndTime = 17 / 24.0;
    s.PanicWallPaper = "/p/panic.bmp";
    SaveSettings(file, s, 10, 20);
    EXPECT_NE(file.content->find("; hand-written\n[Mine]\nx=1\n[Location]\nOffsetX=10\nColour=blue\nOffsetY=20"),
              std::string::npos);
    ClockSettings back;
    bool armed = false;
    LoadSettings(file, back, armed);
    EXPECT_TRUE(back.UseWaveSw);
    EXPECT_DOUBLE_EQ(back.WallDir3EndTime, 17 / 24.0);
    EXPECT_EQ(back.PanicWallPaper, "/p/panic.bmp");
    EXPECT_EQ(back.OffsetX, 10);
}

TEST(SettingsFile, FailedWriteRaisesAndLeavesTheFileWhole)
{
    platform::MemoryProfileFile file;
    file.content = "[Mine]\nx=1\n";
    file.writesFail = true;
    try {
        SaveSettings(file, ClockSettings{}, 0, 0);
        FAIL() << "no error raised";
    } catch (const ZelvaroError& e) {
        EXPECT_STREQ(e.what(), "/memory/zelvaro.INI に書き込めません");
    }
    EXPECT_EQ(file.writes, 1);
    EXPECT_EQ(*file.content, "[Mine]\nx=1\n");
}

TEST(SettingsFile, LoadAndSaveCostOneReadAndOneWrite)
{
    platform::MemoryProfileFile file;
    file.content = "[Location]\nOffsetX=3\n";
    ClockSettings s;
    bool armed = false;
    LoadSettings(file, s, armed);
    EXPECT_EQ(file.reads, 1);
    SaveSettings(file, s, 1, 2);
    EXPECT_EQ(file.reads, 2);  // the save reads once for the lines it keeps
    EXPECT_EQ(file.writes, 1);
}

TEST(SettingsFile, UnreadableFileRaisesTheReadErrorAndIsNeverOverwritten)
{
    platform::MemoryProfileFile file;
    file.content = "[Location]\nOffsetX=3\n";
    file.unreadable = true;
    ClockSettings s;
    s.OffsetX = 77;
    bool armed = false;
    try {
        LoadSettings(file, s, armed);
        FAIL() << "no error raised";
    } catch (const ZelvaroError& e) {
        EXPECT_STREQ(e.what(), "/memory/zelvaro.INI を読み込めません");
    }
    EXPECT_FALSE(armed);
    EXPECT_EQ(s.OffsetX, 77);
    EXPECT_THROW(SaveSettings(file, s, 0, 0), ZelvaroError);
    EXPECT_EQ(file.writes, 0);
}

TEST(SettingsFile, HostileFilesNeverCrash)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131) % 256);
    EXPECT_NO_THROW(Load(garbage));
    EXPECT_NO_THROW(Load(""));
    EXPECT_NO_THROW(Load("[Location\nOffsetX=1\n=\n==\n[]\n"));
    EXPECT_EQ(Load("\xEF\xBB\xBF[Location]\r\nOffsetX=42\r\n").OffsetX, 42);
}

TEST(ErrorBox, AddsAFullStopAfterLettersAndJapanese)
{
    EXPECT_EQ(ErrorBoxText("Invalid value entered for Hour"), "Invalid value entered for Hour.");
    EXPECT_EQ(ErrorBoxText("'x' は時刻ではありません"), "'x' は時刻ではありません.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Really!"), "Really!");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(SettingsFile, EveryPathFieldHoldsEveryControlCharacterButALineBreak)
{
    // Each path field in turn holds each control character (and bytes that are
    // not UTF-8) inside a name. A line feed, carriage return or NUL is refused
    // with the file as it was; anything else reads back as written, every
    // other key with it, and no section appears that the user never set.
    std::string ClockSettings::*const fields[] = {
        &ClockSettings::PanicWallPaper, &ClockSettings::WallDir1,  &ClockSettings::WallDir2,
        &ClockSettings::WallDir3,       &ClockSettings::JustWave,  &ClockSettings::HalfWave,
        &ClockSettings::QuarterWave,    &ClockSettings::AlarmWave, &ClockSettings::AlarmBmp,
    };
    std::vector<std::string> inserts;
    for (int c = 0; c < 0x20; ++c)
        inserts.emplace_back(1, static_cast<char>(c));
    inserts.emplace_back("\x7F");
    inserts.emplace_back("\xFF\xFE");
    inserts.emplace_back("\n[WallSw]\nWallInterval=abc");
    for (auto field : fields) {
        for (const std::string& insert : inserts) {
            platform::MemoryProfileFile file;
            file.content = "[Mine]\nx=1\n";
            ClockSettings s;
            s.WallDir2Sw = true;
            s.*field = "/pictures/x" + insert + "y.jpg";
            const bool lineBreak = insert.find_first_of(std::string("\n\r\0", 3)) != std::string::npos;
            if (lineBreak) {
                try {
                    SaveSettings(file, s, 5, 6);
                    ADD_FAILURE() << "saved " << testing::PrintToString(insert);
                } catch (const ZelvaroError& e) {
                    EXPECT_NE(std::string(e.what()).find("は改行を含むため設定ファイルに書き込めません"),
                              std::string::npos);
                    EXPECT_EQ(std::string(e.what()).find_first_of(std::string("\n\r\0", 3)), std::string::npos)
                        << "the message shows the value escaped";
                }
                EXPECT_EQ(*file.content, "[Mine]\nx=1\n");
                continue;
            }
            SaveSettings(file, s, 5, 6);
            const ClockSettings back = Load(*file.content);
            EXPECT_EQ(back.*field, s.*field) << testing::PrintToString(insert);
            EXPECT_TRUE(back.WallDir2Sw);
            EXPECT_EQ(back.OffsetY, 6);
            std::size_t sections = 0;
            for (std::size_t at = file.content->find("\n["); at != std::string::npos;
                 at = file.content->find("\n[", at + 1))
                ++sections;
            EXPECT_EQ(sections, 7u) << *file.content;
        }
    }
}

TEST(SettingsFile, ThePlaceOfTheSunIsReadWhenWholeAndWrittenOnlyWhenSet)
{
    const struct {
        const char* lines;
        bool set;
    } rows[] = {
        {"Latitude=35.6895\nLongitude=139.6917\n", true},
        {"Latitude=-33.87\nLongitude=-70\n", true},
        {"Latitude=35.6895\n", false},
        {"Latitude=35,7\nLongitude=139.7\n", false},
        {"Latitude=91\nLongitude=0\n", false},
        {"Latitude=0\nLongitude=180.5\n", false},
        {"Latitude=nan\nLongitude=0\n", false},
        {"Latitude=1e400\nLongitude=0\n", false},
    };
    for (const auto& row : rows) {
        const ClockSettings s = Load(std::string("[Location]\nOffsetX=1\n") + row.lines);
        EXPECT_EQ(s.Place.has_value(), row.set) << row.lines;
    }
    // Saved and read back exactly.
    platform::MemoryProfileFile file;
    ClockSettings s;
    s.Place = GeoPlace{35.6895, -139.6917};
    SaveSettings(file, s, 0, 0);
    EXPECT_NE(file.content->find("[Location]\nOffsetX=0\nOffsetY=0\nOnTop=0\nClock24=0\nLatitude=35.6895\n"
                                 "Longitude=-139.6917\n"),
              std::string::npos)
        << *file.content;
    ClockSettings back;
    bool armed = false;
    LoadSettings(file, back, armed);
    ASSERT_TRUE(back.Place);
    EXPECT_EQ(back.Place->latitude, 35.6895);
    EXPECT_EQ(back.Place->longitude, -139.6917);
    // A value the program cannot read is left in the file when no place is set.
    file.content = "[Location]\nLatitude=north\n";
    SaveSettings(file, ClockSettings{}, 0, 0);
    EXPECT_NE(file.content->find("Latitude=north\n"), std::string::npos);
}
