// SPDX-License-Identifier: GPL-3.0-or-later
// Dynamic wallpapers read: HEIC files made by libheif's encoder with
// schedules made by libplist, timed XML backgrounds, and the damaged and
// hostile schedules each must refuse with a reason.
#include "dynamic_fixtures.h"
#include "files_in_temp_dir.h"
#include "image/formats/dynamic/base64_text.h"
#include "image/formats/dynamic/dynamic_heif.h"
#include "image/formats/dynamic/dynamic_moment.h"
#include "image/formats/dynamic/dynamic_plist.h"
#include "image/formats/dynamic/dynamic_xmp.h"
#include "image/formats/dynamic/timed_xml.h"
#include "image/formats/dynamic/timed_xml_format.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/multi_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using fixtures::Rgb;

const std::vector<Rgb> kColours = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {220, 220, 40}};

void ExpectColour(const DibPicture& picture, const Rgb& colour)
{
    const RgbQuad p = picture.PixelAt(picture.Width / 2, picture.Height / 2);
    EXPECT_NEAR(p.Red, colour.r, 10);
    EXPECT_NEAR(p.Green, colour.g, 10);
    EXPECT_NEAR(p.Blue, colour.b, 10);
}

TEST(DynamicHeif, SchedulesOfEachKindAreReadAndEachPictureDecodes)
{
    const std::vector<uint8_t> h24 = fixtures::H24Plist({{0, 0.25}, {1, 0.5}, {2, 0.75}, {3, 0.0}}, 1, 3);
    const std::vector<uint8_t> solar = fixtures::SolarPlist({{0, -5, 80}, {1, 40, 150}, {2, 10, 250}, {3, -40, 330}}, 1,
                                                            3);
    const std::vector<uint8_t> apr = fixtures::AprPlist(2, 0);
    const struct {
        const char* property;
        const std::vector<uint8_t>& plist;
        DynamicSchedule::Kind kind;
        size_t entries;
    } rows[] = {
        {"h24", h24, DynamicSchedule::Kind::DayTimes, 4},
        {"solar", solar, DynamicSchedule::Kind::Sun, 4},
        {"apr", apr, DynamicSchedule::Kind::LightDark, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.property);
        const std::vector<uint8_t> file = fixtures::EncodeDynamicHeif(
            kColours, 64, 48, fixtures::ScheduleXmp(row.property, fixtures::Base64(row.plist)));
        ASSERT_FALSE(file.empty());
        const DynamicHeifRead read = ReadDynamicHeif(file);
        ASSERT_TRUE(read.Dynamic);
        ASSERT_TRUE(read.Read.Schedule) << read.Read.Reason;
        const DynamicSchedule& schedule = *read.Read.Schedule;
        EXPECT_EQ(schedule.kind, row.kind);
        EXPECT_EQ(schedule.pictureCount, 4);
        EXPECT_EQ(schedule.times.size() + schedule.sun.size(), row.entries);
        EXPECT_EQ(schedule.light, row.kind == DynamicSchedule::Kind::LightDark ? 2 : 1);
        EXPECT_EQ(schedule.dark, row.kind == DynamicSchedule::Kind::LightDark ? 0 : 3);
        if (row.kind == DynamicSchedule::Kind::Sun) {
            EXPECT_EQ(schedule.sun[2].picture, 2);
            EXPECT_DOUBLE_EQ(schedule.sun[2].altitude, 10);
            EXPECT_DOUBLE_EQ(schedule.sun[2].azimuth, 250);
        }
    }
    // Every top-level picture decodes on its own, at a reduced size when asked.
    const std::vector<uint8_t> file = fixtures::EncodeDynamicHeif(kColours, 64, 48, "");
    for (int n = 0; n < 4; ++n) {
        const ImageRead picture = DecodeHeifPicture(file, n, ScaleHint{32, 24});
        ASSERT_TRUE(picture.Ok()) << picture.Reason;
        EXPECT_EQ(picture.Picture.Width, 32);
        ExpectColour(picture.Picture, kColours[n]);
    }
    EXPECT_FALSE(DecodeHeifPicture(file, 4).Ok());
    // Without the schedule the file is a plain HEIC.
    EXPECT_FALSE(ReadDynamicHeif(file).Dynamic);
    EXPECT_FALSE(ReadDynamicHeif(std::vector<uint8_t>{1, 2, 3}).Dynamic);
}

TEST(DynamicHeif, DamagedAndHostileSchedulesAreRefusedWithAReason)
{
    std::vector<std::pair<int, double>> many;
    for (int n = 0; n < 10000; ++n) {
        many.push_back({n % 4, n / 10000.0});
    }
    const struct {
        const char* name;
        DynamicSchedule::Kind kind;
        std::vector<uint8_t> plist;
    } rows[] = {
        {"an index past the pictures", DynamicSchedule::Kind::DayTimes, fixtures::H24Plist({{0, 0.1}, {4, 0.5}})},
        {"a time past the day", DynamicSchedule::Kind::DayTimes, fixtures::H24Plist({{0, 1.5}})},
        {"a time that is no number", DynamicSchedule::Kind::DayTimes, fixtures::H24Plist({{0, std::nan("")}})},
        {"10 000 entries", DynamicSchedule::Kind::DayTimes, fixtures::H24Plist(many)},
        {"no entries", DynamicSchedule::Kind::DayTimes, fixtures::H24Plist({})},
        {"the other kind's list", DynamicSchedule::Kind::Sun, fixtures::H24Plist({{0, 0.1}})},
        {"an altitude past the zenith", DynamicSchedule::Kind::Sun, fixtures::SolarPlist({{0, 120, 90}})},
        {"a pair past the pictures", DynamicSchedule::Kind::Sun, fixtures::SolarPlist({{0, 10, 90}}, 0, 9)},
        {"a pair without its dark picture", DynamicSchedule::Kind::LightDark, fixtures::AprPlist(0, 7)},
        {"no property list", DynamicSchedule::Kind::DayTimes, {'b', 'p', 'l', 'i', 's', 't', '0', '0', 1, 2, 3}},
        {"nothing", DynamicSchedule::Kind::DayTimes, {}},
    };
    for (const auto& row : rows) {
        const ScheduleRead read = ReadDynamicPlist(row.kind, row.plist, 4);
        EXPECT_FALSE(read.Schedule) << row.name;
        EXPECT_FALSE(read.Reason.empty()) << row.name;
    }
    // A file of 10 000 pictures is refused before its schedule is looked at.
    EXPECT_FALSE(ReadDynamicPlist(DynamicSchedule::Kind::DayTimes, fixtures::H24Plist({{0, 0.1}}), 10000).Schedule);

    // Bad base64 in a real file: dynamic, refused.
    const std::vector<uint8_t> file = fixtures::EncodeDynamicHeif({kColours[0], kColours[1]}, 16, 16,
                                                                  fixtures::ScheduleXmp("h24", "YnBs*&^%"));
    const DynamicHeifRead read = ReadDynamicHeif(file);
    EXPECT_TRUE(read.Dynamic);
    EXPECT_FALSE(read.Read.Schedule);
    EXPECT_FALSE(read.Read.Reason.empty());
}

TEST(DynamicXmp, FindsTheScheduleAsAttributeOrElementAndDecodesItsBase64)
{
    const struct {
        std::string xmp;
        bool found;
        DynamicSchedule::Kind kind;
        std::string value;
    } rows[] = {
        {fixtures::ScheduleXmp("h24", "YWJj"), true, DynamicSchedule::Kind::DayTimes, "YWJj"},
        {"<rdf:Description><apple_desktop:apr>\n  YWJj\n</apple_desktop:apr>", true, DynamicSchedule::Kind::LightDark,
         "\n  YWJj\n"},
        {"<a apple_desktop:h24='x' apple_desktop:solar = \"y\"/>", true, DynamicSchedule::Kind::Sun, "y"},
        {"<a xapple_desktop:h24=\"x\"/>", false, DynamicSchedule::Kind::DayTimes, ""},
        {"<a apple_desktop:h24=\"unterminated", false, DynamicSchedule::Kind::DayTimes, ""},
        {"", false, DynamicSchedule::Kind::DayTimes, ""},
    };
    for (const auto& row : rows) {
        const std::optional<XmpSchedule> found = FindScheduleInXmp(row.xmp);
        ASSERT_EQ(found.has_value(), row.found) << row.xmp;
        if (found) {
            EXPECT_EQ(found->Kind, row.kind);
            EXPECT_EQ(found->Base64, row.value);
        }
    }
    const std::vector<uint8_t> bytes = {0, 1, 2, 250, 251, 252, 253};
    EXPECT_EQ(DecodeBase64(fixtures::Base64(bytes)), bytes);
    EXPECT_EQ(DecodeBase64(" AAEC\n+vv8/Q== "), bytes);
    EXPECT_EQ(DecodeBase64("AAEC+vv8/Q"), bytes);
    EXPECT_FALSE(DecodeBase64("AAE*"));
    EXPECT_FALSE(DecodeBase64("AA=A"));
    EXPECT_FALSE(DecodeBase64("A"));
}

class TimedXml : public FilesInTempDir {
protected:
    TimedXml() : FilesInTempDir("timed-xml") {}
    std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
};

TEST_F(TimedXml, StaticsAndTransitionsBecomeALoopOfTheFilesItNames)
{
    const std::string dawn = Put("dawn.jpg", {1});
    Put("day.jpg", {1});
    const std::string xml = "<?xml version=\"1.0\"?>\n<background>\n"
                            " <starttime><year>2024</year><month>3</month><day>20</day>"
                            "<hour>7</hour><minute>30</minute><second>0</second></starttime>\n"
                            " <static><duration>3600.0</duration><file>" +
                            dawn +
                            "</file></static>\n"
                            " <transition type=\"overlay\"><duration>600</duration><from>" +
                            dawn +
                            "</from><to>day.jpg</to></transition>\n"
                            " <static><duration>7200</duration><file><size width=\"800\" height=\"600\">dawn.jpg</size>"
                            "<size width=\"1920\" height=\"1080\">day.jpg</size></file></static>\n"
                            "</background>\n";
    const TimedXmlRead read = ReadTimedXml(Bytes(xml), dir_.string());
    ASSERT_TRUE(read.Background);
    ASSERT_TRUE(read.Read.Schedule) << read.Read.Reason;
    const DynamicSchedule& s = *read.Read.Schedule;
    EXPECT_EQ(s.kind, DynamicSchedule::Kind::Loop);
    ASSERT_EQ(read.Pictures.size(), 2u);
    EXPECT_EQ(read.Pictures[1], (dir_ / "day.jpg").string());
    EXPECT_EQ(s.pictureCount, 2);
    ASSERT_EQ(s.loop.size(), 3u);
    EXPECT_FALSE(s.loop[0].transition);
    EXPECT_EQ(s.loop[0].from, 0);
    EXPECT_TRUE(s.loop[1].transition);
    EXPECT_EQ(s.loop[1].to, 1);
    EXPECT_EQ(s.loop[2].from, 1);
    EXPECT_DOUBLE_EQ(s.loop[1].seconds, 600);
    // 2024-03-20 07:30 local, counted as if local were UTC.
    EXPECT_DOUBLE_EQ(s.loopStart, 1710919800.0);
}

TEST_F(TimedXml, HostileBackgroundsAreRefusedWithAReason)
{
    Put("a.jpg", {1});
    const std::string start = "<starttime><year>2024</year><month>1</month><day>1</day><hour>0</hour>"
                              "<minute>0</minute><second>0</second></starttime>";
    auto Static = [](const std::string& duration, const std::string& file) {
        return "<static><duration>" + duration + "</duration><file>" + file + "</file></static>";
    };
    std::string manySteps;
    for (int n = 0; n < 2000; ++n) {
        manySteps += Static("1", "a.jpg");
    }
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE background [<!ENTITY a \"aaaaaaaaaa\">";
    for (int n = 1; n < 10; ++n) {
        laughs += "<!ENTITY " + std::string(1, static_cast<char>('a' + n)) + " \"" + std::string(10, '&') + "\">";
    }
    for (int n = 1; n < 10; ++n) {
        std::string value;
        for (int k = 0; k < 10; ++k) {
            value += std::string("&") + static_cast<char>('a' + n - 1) + ";";
        }
        laughs += "<!ENTITY " + std::string(1, static_cast<char>('a' + n)) + "x \"" + value + "\">";
    }
    laughs += "]><background>" + start + Static("1", "&jx;") + "</background>";
    const struct {
        const char* name;
        std::string xml;
    } rows[] = {
        {"a step of no time", "<background>" + start + Static("0", "a.jpg") + "</background>"},
        {"a step of 10^12 s", "<background>" + start + Static("1e12", "a.jpg") + "</background>"},
        {"a duration that is no number", "<background>" + start + Static("soon", "a.jpg") + "</background>"},
        {"a missing picture", "<background>" + start + Static("10", "gone.jpg") + "</background>"},
        {"itself as a picture", "<background>" + start + Static("10", "loop.xml") + "</background>"},
        {"no file", "<background>" + start + Static("10", "") + "</background>"},
        {"no steps", "<background>" + start + "</background>"},
        {"2000 steps", "<background>" + start + manySteps + "</background>"},
        {"a 13th month", "<background>" + start.substr(0, 36) +
                             "<month>13</month><day>1</day><hour>0</hour>"
                             "<minute>0</minute><second>0</second></starttime>" +
                             Static("1", "a.jpg") + "</background>"},
        {"30 February", "<background><starttime><year>2024</year><month>2</month><day>30</day><hour>0</hour>"
                        "<minute>0</minute><second>0</second></starttime>" +
                            Static("1", "a.jpg") + "</background>"},
        {"entities", laughs},
        {"an external entity", "<?xml version=\"1.0\"?><!DOCTYPE background [<!ENTITY x SYSTEM \"/etc/passwd\">]>"
                               "<background>" +
                                   start + Static("1", "&x;") + "</background>"},
    };
    Put("loop.xml", {1});
    for (const auto& row : rows) {
        const TimedXmlRead read = ReadTimedXml(Bytes(row.xml), dir_.string());
        if (read.Background) {
            EXPECT_FALSE(read.Read.Schedule) << row.name;
            EXPECT_FALSE(read.Read.Reason.empty()) << row.name;
        }
        EXPECT_TRUE(read.Pictures.empty()) << row.name;
    }
    // Other XML, and no XML at all, is no background.
    EXPECT_FALSE(ReadTimedXml(Bytes("<svg><static/></svg>"), dir_.string()).Background);
    EXPECT_FALSE(ReadTimedXml(Bytes("<background><unclosed>"), dir_.string()).Background);
    EXPECT_FALSE(ReadTimedXml(Bytes("\x89PNG\r\n"), dir_.string()).Background);
}

}  // namespace

namespace {

// Through the image component, as every other picture: the format table
// sends a timed XML background to its line and a dynamic HEIC file to the
// HEIF reader, and each shows its picture for the moment the program sets.
class DynamicThroughTheComponent : public FilesInTempDir {
protected:
    DynamicThroughTheComponent() : FilesInTempDir("dynamic-component") {}
    void TearDown() override
    {
        SetDynamicMomentSource({});
        FilesInTempDir::TearDown();
    }
    static void SetHour(double hours)
    {
        // 2024-03-20 at `hours` UTC, shown nine hours east of it.
        SetDynamicMomentSource([hours] { return DynamicMoment{1710892800.0 + hours * 3600 - 9 * 3600, 9 * 3600, {}}; });
    }
};

TEST_F(DynamicThroughTheComponent, EachShowsItsPictureForTheMoment)
{
    const std::vector<uint8_t> plist = fixtures::H24Plist({{0, 0.0}, {1, 0.25}, {2, 0.5}, {3, 0.75}});
    const std::string heic = Put(
        "day.heic",
        fixtures::EncodeDynamicHeif(kColours, 64, 48, fixtures::ScheduleXmp("h24", fixtures::Base64(plist))));
    const std::string pictureDir = dir_.string();
    Put("a.heic", fixtures::EncodeDynamicHeif({kColours[0]}, 32, 32, ""));
    Put("b.heic", fixtures::EncodeDynamicHeif({kColours[2]}, 32, 32, ""));
    const std::string text = "<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<background>"
                             "<static><duration>3600</duration><file>a.heic</file></static>"
                             "<transition><duration>3600</duration><from>a.heic</from><to>b.heic</to></transition>"
                             "</background>";
    const std::string xml = Put("loop.xml", {text.begin(), text.end()});
    const struct {
        const std::string& path;
        double hour;
        Rgb expected;
    } rows[] = {
        {heic, 6, kColours[1]},
        {heic, 12, kColours[2]},
        {heic, 15, {125, 125, 120}},  // halfway from blue to yellow
        // The loop started at midnight of 1970: an hour of red, an hour's fade to blue.
        {xml, 0.5, kColours[0]},
        {xml, 1.5, {115, 30, 115}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path + " at " + std::to_string(row.hour));
        SetHour(row.hour);
        TPMultiImage image;
        image.ImageReadRes = lColorTrue;
        const ImageResult read = image.SetImageName(row.path);
        ASSERT_TRUE(read.Ok()) << read.Message;
        ExpectColour(image.Picture(), row.expected);
    }
    // Broken backgrounds get the XML message.
    const std::string broken = Put("broken.xml", {'<', 'b', 'a', 'c', 'k', 'g', 'r', 'o', 'u', 'n', 'd', '/', '>'});
    TPMultiImage image;
    EXPECT_EQ(image.SetImageName(broken).Message, "このXMLは読み込めません");
}

TEST(TimedXmlFormat, TheSignatureIsABackgroundRoot)
{
    const struct {
        const char* head;
        bool background;
    } rows[] = {
        {"<background>", true},
        {"\xEF\xBB\xBF  <?xml version=\"1.0\"?>\n<!-- a -- b -->\n<background\n>", true},
        {"<backgrounds>", false},
        {"<svg><background>", false},
        {"<?xml version=\"1.0\"?", false},
        {"<!-- <background> -->", false},
        {"", false},
    };
    for (const auto& row : rows) {
        const std::string_view text(row.head);
        EXPECT_EQ(kTimedXmlFormat.Signature({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, text.size()),
                  row.background)
            << row.head;
    }
}

}  // namespace
