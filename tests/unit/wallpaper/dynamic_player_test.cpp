// SPDX-License-Identifier: GPL-3.0-or-later
// Playing dynamic wallpapers: the picture made for a moment is the blend of
// the pictures around it at the screen's size, the kept pair spares a second
// decode, and a redraw comes when the blend has moved on far and long enough.
#include "../image/dynamic_fixtures.h"
#include "../image/image_fixtures.h"
#include "../image/modern_fixtures.h"
#include "options/dynamic_summary.h"
#include "wallpaper/dynamic_player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using fixtures::Rgb;

// 2024-03-20 00:00 UTC.
constexpr double kMidnight = 1710892800.0;

class DynamicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = (dir_ / name).string();
        fixtures::WriteAll(path, bytes);
        return path;
    }
    // Four pictures at 00:00, 06:00, 12:00 and 18:00.
    std::string FourTimes()
    {
        const std::vector<uint8_t> plist = fixtures::H24Plist({{0, 0.0}, {1, 0.25}, {2, 0.5}, {3, 0.75}});
        return Put("day.heic", fixtures::EncodeDynamicHeif(kColours, 64, 48,
                                                           fixtures::ScheduleXmp("h24", fixtures::Base64(plist))));
    }
    static DynamicMoment At(double hours) { return DynamicMoment{kMidnight + hours * 3600, 0, GeoPlace{}}; }

    const std::vector<Rgb> kColours = {{240, 0, 0}, {0, 0, 240}, {0, 240, 0}, {240, 240, 240}};
    fs::path dir_ = fs::temp_directory_path() / ("zelvaro-dynamic-player-" + std::to_string(::getpid()));
    const DynamicTarget screen_{ScreenFit::Fill, 40, 30};
};

void ExpectPixel(const DibPicture& picture, int r, int g, int b)
{
    const RgbQuad p = picture.PixelAt(picture.Width / 2, picture.Height / 2);
    EXPECT_NEAR(p.Red, r, 12);
    EXPECT_NEAR(p.Green, g, 12);
    EXPECT_NEAR(p.Blue, b, 12);
}

TEST_F(DynamicPlayerTest, MakesTheBlendAtScreenSizeAndKeepsThePairBetweenRedraws)
{
    const std::string path = FourTimes();
    DynamicPlayer player;
    DibPicture out;
    ASSERT_EQ(player.Make(path, At(3), screen_, out), DynamicPlayer::Result::Made) << player.Reason();
    EXPECT_EQ(out.Width, 40);
    EXPECT_EQ(out.Height, 30);
    ExpectPixel(out, 120, 0, 120);  // halfway from red to blue
    EXPECT_EQ(player.PlayingPath(), path);

    // The file gone, the same pair is still blended from the pictures kept.
    fs::remove(path);
    ASSERT_EQ(player.Make(path, At(4.5), screen_, out), DynamicPlayer::Result::Made) << player.Reason();
    ExpectPixel(out, 60, 0, 180);
    // A picture outside the pair needs the file.
    EXPECT_EQ(player.Make(path, At(7), screen_, out), DynamicPlayer::Result::Refused);
    EXPECT_FALSE(player.Reason().empty());
    EXPECT_TRUE(player.PlayingPath().empty());
}

TEST_F(DynamicPlayerTest, RedrawsWhenMovedAThirtySecondAndTenMinutesPassed)
{
    const std::string path = FourTimes();
    DynamicPlayer player;
    DibPicture out;
    ASSERT_EQ(player.Make(path, At(3), screen_, out), DynamicPlayer::Result::Made);
    // Six hours a pair: a 32nd of the blend is 11.25 minutes.
    const struct {
        double minutesLater;
        bool due;
    } rows[] = {{0, false}, {5, false}, {10, false}, {11, false}, {11.5, true}, {200, true}, {-1, true}};
    for (const auto& row : rows) {
        EXPECT_EQ(player.RedrawDue(At(3 + row.minutesLater / 60)), row.due) << row.minutesLater;
    }
    // Across a change of pair, after ten minutes.
    ASSERT_EQ(player.Make(path, At(5.95), screen_, out), DynamicPlayer::Result::Made);
    EXPECT_FALSE(player.RedrawDue(At(6.05)));
    EXPECT_TRUE(player.RedrawDue(At(6.2)));
    // After a clock jump, at once.
    player.RedrawSoon();
    EXPECT_TRUE(player.RedrawDue(At(5.96)));
    player.Stop();
    EXPECT_FALSE(player.RedrawDue(At(10)));
}

TEST_F(DynamicPlayerTest, TimedXmlBlendsItsFilesAndPlainPicturesAreNotDynamic)
{
    // Red 32 x 24, green twice that size.
    std::vector<uint8_t> redRgb(static_cast<size_t>(32 * 24 * 3), 0);
    std::vector<uint8_t> greenRgb(static_cast<size_t>(64 * 48 * 3), 0);
    for (size_t i = 0; i < redRgb.size(); i += 3) {
        redRgb[i] = 200;
    }
    for (size_t i = 0; i < greenRgb.size(); i += 3) {
        greenRgb[i + 1] = 200;
    }
    Put("red.png", fixtures::EncodePng(redRgb, 32, 24));
    Put("green.png", fixtures::EncodePng(greenRgb, 64, 48));
    const std::string xml =
        "<background><starttime><year>2024</year><month>3</month><day>20</day><hour>0</hour><minute>0</minute>"
        "<second>0</second></starttime>"
        "<static><duration>3600</duration><file>red.png</file></static>"
        "<transition><duration>3600</duration><from>red.png</from><to>green.png</to></transition>"
        "<static><duration>3600</duration><file>green.png</file></static></background>";
    const std::string path = Put("day.xml", {xml.begin(), xml.end()});
    DynamicPlayer player;
    DibPicture out;
    ASSERT_EQ(player.Make(path, At(1.25), screen_, out), DynamicPlayer::Result::Made) << player.Reason();
    ExpectPixel(out, 150, 50, 0);
    // Centred (no fit): the pictures' own size, the second made the first's.
    ASSERT_EQ(player.Make(path, At(1.5), DynamicTarget{}, out), DynamicPlayer::Result::Made) << player.Reason();
    EXPECT_EQ(out.Width, 32);
    ExpectPixel(out, 100, 100, 0);

    EXPECT_EQ(player.Make((dir_ / "red.png").string(), At(1), screen_, out), DynamicPlayer::Result::NotDynamic);
    EXPECT_TRUE(player.PlayingPath().empty());
    const std::string broken = Put("broken.xml", {'<', 'b', 'a', 'c', 'k', 'g', 'r', 'o', 'u', 'n', 'd', '/', '>'});
    EXPECT_EQ(player.Make(broken, At(1), screen_, out), DynamicPlayer::Result::Refused);
}

}  // namespace

namespace {

TEST(DynamicMomentTest, LocalTimeAndOffsetGiveUtcAndThePlaceFallsBackInTurn)
{
    // 2024-03-20 09:00 in Tokyo is 00:00 UTC.
    const DynamicMoment moment = MomentAt(EncodeDate(2024, 3, 20) + EncodeTime(9, 0), 9 * 3600, GeoPlace{35, 139});
    EXPECT_NEAR(moment.unixSeconds, kMidnight, 1e-3);
    EXPECT_EQ(moment.utcOffsetSeconds, 9 * 3600);
    const GeoPlace set{10, 20}, zone{35.65, 139.74};
    EXPECT_EQ(PlaceForTheSun(set, zone, 0).latitude, 10);
    EXPECT_EQ(PlaceForTheSun(std::nullopt, zone, 0).longitude, 139.74);
    const GeoPlace guessed = PlaceForTheSun(std::nullopt, std::nullopt, -5 * 3600);
    EXPECT_EQ(guessed.latitude, 0);
    EXPECT_EQ(guessed.longitude, -75);
}

}  // namespace

namespace {

TEST_F(DynamicPlayerTest, ThePickersLineCountsThePicturesAndNamesThePlaceOfTheSun)
{
    const std::string times = FourTimes();
    const std::vector<uint8_t> solar = fixtures::SolarPlist({{0, -10, 80}, {1, 30, 150}, {2, 30, 210}, {3, -10, 280}});
    const std::string sun = Put(
        "sun.heic",
        fixtures::EncodeDynamicHeif(kColours, 16, 16, fixtures::ScheduleXmp("solar", fixtures::Base64(solar))));
    SetDynamicMomentSource([] { return DynamicMoment{kMidnight, 9 * 3600, GeoPlace{35.6895, 139.6917}}; });
    const std::optional<DynamicSummary> bySun = SummariseDynamicWallpaper(sun);
    const std::optional<DynamicSummary> byTime = SummariseDynamicWallpaper(times);
    SetDynamicMomentSource({});
    ASSERT_TRUE(bySun && byTime);
    EXPECT_EQ(bySun->kind, DynamicSchedule::Kind::Sun);
    EXPECT_EQ(bySun->pictures, 4);
    EXPECT_EQ(bySun->place, "35.7\u00b0 N 139.7\u00b0 E");
    EXPECT_EQ(byTime->kind, DynamicSchedule::Kind::DayTimes);
    EXPECT_TRUE(byTime->place.empty());
    EXPECT_FALSE(SummariseDynamicWallpaper((dir_ / "none.heic").string()));
}

}  // namespace
