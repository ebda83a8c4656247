// SPDX-License-Identifier: GPL-3.0-or-later
// ApplyWallPaper: what reaches the desktop, what is written, when the next
// change comes, and that the hourglass always goes away.
#include "image/formats/photo_cd/photo_cd_format.h"
#include "image/picture.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "wallpaper/wall_applier.h"

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;
using Result = platform::Desktop::Result;

namespace {

constexpr TDateTime kMin = 1.0 / kMinutesPerDay;

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FakeConverter : public WallConverter {
public:
    struct Call {
        std::string file;
        bool photoCd;
        bool colorDec;
    };
    std::vector<Call> calls;
    bool fail = false;
    std::exception_ptr throws;
    bool handsOver = false;  // tells the picture before writing, as the image converter does
    DibPicture picture;
    PictureReady beforeWrite;
    void SetBeforeWrite(PictureReady ready) override { beforeWrite = std::move(ready); }
    int released = 0;
    bool screenSize = false;
    bool MakesScreenSize() const override { return screenSize; }
    WallNotice FailureNotice() const override
    {
        return fail ? WallNotice{"このTIFは読み込めません", true} : WallNotice{};
    }
    void ReleasePictures() override { ++released; }
    std::vector<std::vector<std::string>> perMonitor;
    std::size_t failAt = 99;  // the per-monitor file that cannot be read
    bool ConvertPerMonitor(const std::vector<std::string>& files, bool colorDec, const std::string& bmpPath,
                           std::size_t& failed) override
    {
        perMonitor.push_back(files);
        failed = failAt;
        std::ofstream(bmpPath) << "BM composed, colours reduced: " << colorDec;
        return failAt >= files.size();
    }
    bool ConvertToBmp(const ImageFile& opened, const ImageFormat* format, bool colorDec,
                      const std::string& bmpPath) override
    {
        const std::string& file = opened.Path();
        calls.push_back({file, format == &kPhotoCdFormat, colorDec});
        if (handsOver && beforeWrite)
            beforeWrite(picture);
        std::ofstream(bmpPath) << "BM from " << file;  // written even when it then fails
        if (throws)
            std::rethrow_exception(throws);
        return !fail;
    }
};

// A desktop that takes the picture ahead of its file and answers Show as told.
class EarlyDesktop : public platform::FakeDesktop {
public:
    struct Early : Prepared {
        EarlyDesktop& owner;
        explicit Early(EarlyDesktop& o) : owner(o) {}
        ~Early() override { ++owner.released; }
        Result Show() override
        {
            ++owner.shows;
            return owner.showAnswer;
        }
    };
    int prepared = 0, shows = 0, released = 0;
    Result showAnswer = Result::Done;
    std::unique_ptr<Prepared> PrepareFrom(const DibPicture&) override
    {
        ++prepared;
        return std::make_unique<Early>(*this);
    }
};

class RecordingHost : public WallApplyHost {
public:
    int busy = 0;
    int maxBusy = 0;
    int events = 0;
    std::function<void()> onEvents;
    std::vector<std::pair<std::string, bool>> reports;  // file, unattended
    std::vector<std::string> arguments;                 // of the notices with a file in them
    std::vector<std::string> logs;
    int memoryReturned = 0;
    void ReportFailure(const std::string& file, const WallNotice& notice, bool unattended) override
    {
        if (notice.argument.empty())
            EXPECT_EQ(notice.text, "このTIFは読み込めません");
        else
            arguments.push_back(notice.argument);
        reports.emplace_back(file, unattended);
    }
    void Log(const std::string& line) override { logs.push_back(line); }
    void ReturnFreeMemory() override { ++memoryReturned; }
    void BeginBusy() override { maxBusy = std::max(maxBusy, ++busy); }
    void EndBusy() override { --busy; }
    void ProcessPendingEvents() override
    {
        ++events;
        if (onEvents)
            onEvents();
    }
};

class Apply : public ::testing::Test {
protected:
    Apply()
        : dir(fs::temp_directory_path() / ("zelvaro-apply-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)))),
          applier(desktop, converter, clock, host, settings, schedule, (dir / "ZelvaroWl.BMP").string())
    {
        fs::create_directories(dir);
        settings.WallInterval = 25 * kMin;
        schedule.NextWallChange = 123;
        clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(10, 20, 10));
    }
    ~Apply() override { fs::remove_all(dir); }
    fs::path Temp() const { return dir / "ZelvaroWl.BMP"; }

    fs::path dir;
    platform::FakeDesktop desktop;
    FakeConverter converter;
    platform::FakeClock clock;
    RecordingHost host;
    ClockSettings settings;
    WallSchedule schedule;
    WallApplier applier;
};

}  // namespace

TEST_F(Apply, BmpIsHandedOverUnchangedWithoutWritingTheTempFile)
{
    settings.ColorDecSw = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/A.bmp"), WallApplier::Outcome::Applied);
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"/pics/A.bmp"}));
    EXPECT_TRUE(converter.calls.empty());
    EXPECT_FALSE(fs::exists(Temp()));
    EXPECT_NEAR((schedule.NextWallChange - clock.Now()) / kMin, 25, 1e-6);  // 10:45:10
    EXPECT_EQ(host.busy, 0);
    EXPECT_EQ(host.maxBusy, 1);
}

TEST_F(Apply, BmpIsRemadeWhenThePictureFillsTheScreen)
{
    converter.screenSize = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/A.bmp"), WallApplier::Outcome::Applied);
    ASSERT_EQ(converter.calls.size(), 1u);
    EXPECT_EQ(converter.calls[0].file, "/pics/A.bmp");
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{Temp().string()}));
}

TEST_F(Apply, ConvertedImagesGoThroughTheTempFile)
{
    settings.ColorDecSw = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/b.JPG"), WallApplier::Outcome::Applied);
    EXPECT_EQ(applier.ApplyWallPaper("/pics/c.pcd"), WallApplier::Outcome::Applied);
    ASSERT_EQ(converter.calls.size(), 2u);
    EXPECT_FALSE(converter.calls[0].photoCd);
    EXPECT_TRUE(converter.calls[1].photoCd);
    EXPECT_TRUE(converter.calls[1].colorDec);
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{Temp().string(), Temp().string()}));
    EXPECT_EQ(ReadAll(Temp()), "BM from /pics/c.pcd");
    EXPECT_FALSE(fs::exists(Temp().string() + ".part"));
}

TEST_F(Apply, NonImagesAndFailedConversionsChangeNothing)
{
    applier.ApplyWallPaper("/pics/ok.gif");
    const std::string before = ReadAll(Temp());
    for (const char* f : {"", "/pics/x.jpegs", "/pics/notes.txt", "/pics/folder/"})
        EXPECT_EQ(applier.ApplyWallPaper(f), WallApplier::Outcome::NotImage) << f;

    const TDateTime next = schedule.NextWallChange;
    clock.Advance(kMin);
    converter.fail = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/broken.tif"), WallApplier::Outcome::Failed);
    converter.fail = false;
    converter.throws = std::make_exception_ptr(std::runtime_error("broken"));
    EXPECT_EQ(applier.ApplyWallPaper("/pics/broken.pcd"), WallApplier::Outcome::Failed);
    // The previous picture is not shown again in place of the broken one.
    EXPECT_EQ(desktop.calls.size(), 1u);
    EXPECT_EQ(ReadAll(Temp()), before);
    EXPECT_FALSE(fs::exists(Temp().string() + ".part"));
    EXPECT_EQ(schedule.NextWallChange, next);
    EXPECT_EQ(host.busy, 0);
}

TEST_F(Apply, TooLittleMemoryIsToldNamingTheFileAndLeavesTheWallpaper)
{
    applier.ApplyWallPaper("/pics/ok.gif");
    const std::string before = ReadAll(Temp());
    struct Case {
        const char* what;
        std::exception_ptr error;
        WallApplier::Outcome outcome;
    };
    const Case cases[] = {
        {"no memory", std::make_exception_ptr(std::bad_alloc()), WallApplier::Outcome::NoMemory},
        {"no thread",
         std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again))),
         WallApplier::Outcome::NoMemory},
        {"another system error", std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::io_error))),
         WallApplier::Outcome::Failed},
    };
    for (const Case& c : cases) {
        host.reports.clear();
        host.arguments.clear();
        converter.throws = c.error;
        EXPECT_EQ(applier.ApplyWallPaper("/pics/big.jpg", WallApplier::Request::Rotation), c.outcome) << c.what;
        const bool told = c.outcome == WallApplier::Outcome::NoMemory;
        EXPECT_EQ(host.arguments, told ? std::vector<std::string>{"/pics/big.jpg"} : std::vector<std::string>{})
            << c.what;
        EXPECT_EQ(host.reports.size(), told ? 1u : 0u) << c.what;
        EXPECT_EQ(desktop.calls.size(), 1u) << c.what;
        EXPECT_EQ(ReadAll(Temp()), before) << c.what;
    }
}

TEST_F(Apply, UnreadableBitmapIsAFailedTry)
{
    desktop.answers = {Result::Unreadable};
    EXPECT_EQ(applier.ApplyWallPaper("/gone/a.bmp"), WallApplier::Outcome::Failed);
    EXPECT_EQ(schedule.NextWallChange, 123);
    EXPECT_EQ(desktop.calls.size(), 1u);
}

TEST_F(Apply, RefusalsAreRetriedWithEventsBetweenAndBounded)
{
    desktop.answers = {Result::Refused, Result::Refused, Result::Done};
    applier.ApplyWallPaper("/a.bmp");
    EXPECT_EQ(desktop.calls.size(), 3u);
    EXPECT_EQ(host.events, 2);

    desktop.calls.clear();
    desktop.answers.assign(5000, Result::Refused);
    EXPECT_EQ(applier.ApplyWallPaper("/b.bmp"), WallApplier::Outcome::Applied);
    EXPECT_EQ(desktop.calls.size(), 1001u);
    EXPECT_NEAR((schedule.NextWallChange - clock.Now()) / kMin, 25, 1e-6);  // moved all the same

    // A desktop service that does not answer is not asked a thousand times.
    desktop.calls.clear();
    desktop.answers = {Result::Unavailable};
    clock.Advance(kMin);
    EXPECT_EQ(applier.ApplyWallPaper("/c.bmp"), WallApplier::Outcome::Applied);
    EXPECT_EQ(desktop.calls.size(), 1u);
    EXPECT_NEAR((schedule.NextWallChange - clock.Now()) / kMin, 25, 1e-6);
}

TEST_F(Apply, RequestsArrivingDuringTheRetriesWaitTheirTurn)
{
    desktop.answers = {Result::Refused, Result::Refused, Result::Done};
    std::vector<std::string> shownWhenAsked;
    host.onEvents = [&] {
        // A drop and a panic click arrive while the first wallpaper is retried.
        EXPECT_EQ(applier.ApplyWallPaper("/drop/d.jpg"), WallApplier::Outcome::Queued);
        EXPECT_EQ(applier.ApplyWallPaper("/panic/p.gif"), WallApplier::Outcome::Queued);
        EXPECT_EQ(converter.calls.size(), 1u);  // the picture being set is not overwritten
    };
    applier.ApplyWallPaper("/rot/r.tif");
    host.onEvents = nullptr;
    ASSERT_EQ(converter.calls.size(), 2u);
    EXPECT_EQ(converter.calls[0].file, "/rot/r.tif");
    EXPECT_EQ(converter.calls[1].file, "/panic/p.gif");  // the latest request wins
    EXPECT_EQ(ReadAll(Temp()), "BM from /panic/p.gif");
    EXPECT_EQ(host.busy, 0);
}

TEST_F(Apply, FailuresAreToldWithWhoAskedAndPicturesAlwaysFreed)
{
    converter.fail = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/a.tif"), WallApplier::Outcome::Failed);
    EXPECT_EQ(applier.ApplyWallPaper("/pics/b.tif", WallApplier::Request::Rotation), WallApplier::Outcome::Failed);
    EXPECT_EQ(host.reports, (std::vector<std::pair<std::string, bool>>{{"/pics/a.tif", false}, {"/pics/b.tif", true}}));
    // An error raised while converting is not told, only logged.
    converter.fail = false;
    converter.throws = std::make_exception_ptr(std::runtime_error("broken"));
    EXPECT_EQ(applier.ApplyWallPaper("/pics/c.pcd"), WallApplier::Outcome::Failed);
    EXPECT_EQ(host.reports.size(), 2u);
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_NE(host.logs[0].find("/pics/c.pcd"), std::string::npos);
    // A name with a newline or an escape sequence cannot forge a log line.
    EXPECT_EQ(applier.ApplyWallPaper("/pics/x\n\x1b[2Kforged.pcd"), WallApplier::Outcome::Failed);
    ASSERT_EQ(host.logs.size(), 2u);
    EXPECT_NE(host.logs[1].find("/pics/x\\n\\x1B[2Kforged.pcd"), std::string::npos) << host.logs[1];
    EXPECT_EQ(host.logs[1].find_first_of("\n\x1b"), std::string::npos) << host.logs[1];
    host.logs.pop_back();
    converter.throws = nullptr;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/d.gif"), WallApplier::Outcome::Applied);
    EXPECT_EQ(applier.ApplyWallPaper("/pics/e.bmp"), WallApplier::Outcome::Applied);
    // Every way out lets the working pictures go and returns the memory.
    EXPECT_EQ(converter.released, 6);
    EXPECT_EQ(host.memoryReturned, 6);
}

// A desktop service that answers with an error (logged by the platform with
// its words): the user is told, the log not a second time; the rotation tells
// it once until a wallpaper is shown again, the user's own request each time.
TEST_F(Apply, ADesktopThatAnswersWithAnErrorIsTold)
{
    struct Step {
        Result answer;
        WallApplier::Request request;
        bool told;
    } steps[] = {
        {Result::Failed, WallApplier::Request::Rotation, true},
        {Result::Failed, WallApplier::Request::Rotation, false},
        {Result::Failed, WallApplier::Request::User, true},
        {Result::Failed, WallApplier::Request::User, true},
        {Result::Unavailable, WallApplier::Request::User, false},
        {Result::Done, WallApplier::Request::Rotation, false},
        {Result::Failed, WallApplier::Request::Rotation, true},
    };
    int i = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(i++);
        host.reports.clear(), host.arguments.clear();
        desktop.answers = {step.answer};
        EXPECT_EQ(applier.ApplyWallPaper("/pics/a.bmp", step.request), WallApplier::Outcome::Applied);
        EXPECT_EQ(host.reports.size(), step.told ? 1u : 0u);
        if (step.told) {
            EXPECT_EQ(host.arguments, std::vector<std::string>{"/pics/a.bmp"});
        }
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(Apply, AFolderInTheConvertedFilesPlaceIsLogged)
{
    fs::create_directories(Temp() / "inside");
    EXPECT_EQ(applier.ApplyWallPaper("/pics/b.jpg"), WallApplier::Outcome::Failed);
    EXPECT_TRUE(desktop.calls.empty());
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_NE(host.logs[0].find("ZelvaroWl.BMP"), std::string::npos);
    EXPECT_FALSE(fs::exists(Temp().string() + ".part"));
    EXPECT_TRUE(fs::is_directory(Temp() / "inside"));
}

TEST(WallWriteRes, OnlyDeepImagesAndPhotoCdAreReduced)
{
    EXPECT_EQ(ChooseWallWriteRes(false, true, 24), WallWriteRes::Color256);
    EXPECT_EQ(ChooseWallWriteRes(false, true, 8), WallWriteRes::AutoMatic);
    EXPECT_EQ(ChooseWallWriteRes(true, true, 8), WallWriteRes::Color256);
    EXPECT_EQ(ChooseWallWriteRes(true, false, 24), WallWriteRes::AutoMatic);
    EXPECT_EQ(ChooseWallWriteRes(false, false, 24), WallWriteRes::AutoMatic);
}

// The picture goes to the desktop while the file is written; it is shown only
// when the file is in place, and the ordinary way takes over when showing fails.
TEST(ApplyEarly, ThePictureIsShownOnlyOnceItsFileIsWritten)
{
    struct Case {
        const char* name;
        bool writeFails;
        Result showAnswer;
        WallApplier::Outcome outcome;
        int shows;
        std::size_t fileCalls;  // SetWallpaper calls after it
    } cases[] = {
        {"written and shown", false, Result::Done, WallApplier::Outcome::Applied, 1, 0},
        {"write failed: not shown", true, Result::Done, WallApplier::Outcome::Failed, 0, 0},
        {"show failed: the file way", false, Result::Unavailable, WallApplier::Outcome::Applied, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = fs::temp_directory_path() / "zelvaro-apply-early";
        fs::create_directories(dir);
        EarlyDesktop desktop;
        desktop.showAnswer = c.showAnswer;
        FakeConverter converter;
        converter.handsOver = true;
        converter.fail = c.writeFails;
        platform::FakeClock clock(EncodeDate(2026, 12, 7) + EncodeTime(10, 20, 10));
        RecordingHost host;
        ClockSettings settings;
        WallSchedule schedule;
        WallApplier applier(desktop, converter, clock, host, settings, schedule, (dir / "ZelvaroWl.BMP").string());
        EXPECT_EQ(applier.ApplyWallPaper("/pics/b.jpg"), c.outcome);
        EXPECT_EQ(desktop.prepared, 1);
        EXPECT_EQ(desktop.released, 1);
        EXPECT_EQ(desktop.shows, c.shows);
        EXPECT_EQ(desktop.calls.size(), c.fileCalls);
        EXPECT_FALSE(converter.beforeWrite);  // the hook does not outlive the conversion
        fs::remove_all(dir);
    }
}

TEST_F(Apply, PicturesPerMonitorAreComposedAndShownSpannedOrNotAtAll)
{
    using Layout = platform::Desktop::Layout;
    std::ofstream(Temp()) << "BM before";
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::size_t failAt;
        WallApplier::Outcome outcome;
        std::string reported;  // the file the user is told of
        std::string temp;      // what TempWallFile holds afterwards
    };
    const Case cases[] = {
        {"a file not a picture", {"/p/a.jpg", "/p/b.txt"}, 99, WallApplier::Outcome::NotImage, "", "BM before"},
        {"the second picture unreadable",
         {"/p/a.jpg", "/p/b.tif"},
         1,
         WallApplier::Outcome::Failed,
         "/p/b.tif",
         "BM before"},
        {"both read",
         {"/p/a.jpg", "/p/b.bmp"},
         99,
         WallApplier::Outcome::Applied,
         "",
         "BM composed, colours reduced: 1"},
    };
    settings.ColorDecSw = true;
    converter.fail = true;  // the notice the failed read leaves
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.reports.clear();
        desktop.calls.clear();
        converter.failAt = c.failAt;
        converter.fail = c.failAt < c.files.size();
        EXPECT_EQ(applier.ApplyWallPapers(c.files, WallApplier::Request::Rotation), c.outcome);
        EXPECT_EQ(host.reports.empty() ? "" : host.reports.front().first, c.reported);
        EXPECT_EQ(ReadAll(Temp()), c.temp);
        const bool shown = c.outcome == WallApplier::Outcome::Applied;
        EXPECT_EQ(desktop.calls.size(), shown ? 1u : 0u);
        if (shown) {
            EXPECT_EQ(desktop.layout, Layout::Composed);
            EXPECT_EQ(schedule.NextWallChange, clock.Now() + 25 * kMin);
        } else {
            EXPECT_EQ(schedule.NextWallChange, 123);
        }
    }
    EXPECT_EQ(converter.perMonitor.size(), 2u);
    EXPECT_TRUE(converter.calls.empty());
    // One picture again: laid as the registry says.
    converter.fail = false;
    applier.ApplyWallPaper("/p/c.jpg");
    EXPECT_EQ(desktop.layout, Layout::AsRegistry);
}

TEST_F(Apply, ARedrawOfTheDynamicWallpaperLeavesTheRotationsNextChangeAndIsUnattended)
{
    EXPECT_EQ(applier.ApplyWallPaper("/pics/day.heic", WallApplier::Request::Redraw), WallApplier::Outcome::Applied);
    EXPECT_EQ(schedule.NextWallChange, 123);
    EXPECT_EQ(desktop.calls.size(), 1u);
    converter.fail = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/day.heic", WallApplier::Request::Redraw), WallApplier::Outcome::Failed);
    EXPECT_EQ(host.reports, (std::vector<std::pair<std::string, bool>>{{"/pics/day.heic", true}}));
}

TEST_F(Apply, ABitmapShownAsItIsEndsTheDynamicWallpaper)
{
    struct Stops : FakeConverter {
        int stops = 0;
        void DynamicStop() override { ++stops; }
    };
    Stops stopping;
    WallSchedule own;
    WallApplier bmpApplier(desktop, stopping, clock, host, settings, own, (dir / "ZelvaroWl.BMP").string());
    bmpApplier.ApplyWallPaper("/pics/A.bmp");
    EXPECT_EQ(stopping.stops, 1);
    bmpApplier.ApplyWallPaper("/pics/b.JPG");
    EXPECT_EQ(stopping.stops, 1);
}
