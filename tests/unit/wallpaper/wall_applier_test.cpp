// SPDX-License-Identifier: GPL-3.0-or-later
// ApplyWallPaper: what reaches the desktop, what is written, when the next
// change comes, and that the hourglass always goes away.
#include "image/picture.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "wallpaper/wall_applier.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

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
    bool throws = false;
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
    bool ConvertToBmp(const std::string& file, bool photoCd, bool colorDec, const std::string& bmpPath) override
    {
        calls.push_back({file, photoCd, colorDec});
        if (handsOver && beforeWrite)
            beforeWrite(picture);
        std::ofstream(bmpPath) << "BM from " << file;  // written even when it then fails
        if (throws)
            throw std::runtime_error("broken");
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
    std::vector<std::string> logs;
    int memoryReturned = 0;
    void ReportFailure(const std::string& file, const WallNotice& notice, bool unattended) override
    {
        EXPECT_EQ(notice.text, "このTIFは読み込めません");
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
    for (const char* f : {"", "/pics/x.jpeg", "/pics/notes.txt", "/pics/folder/"})
        EXPECT_EQ(applier.ApplyWallPaper(f), WallApplier::Outcome::NotImage) << f;

    const TDateTime next = schedule.NextWallChange;
    clock.Advance(kMin);
    converter.fail = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/broken.tif"), WallApplier::Outcome::Failed);
    converter.fail = false;
    converter.throws = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/broken.pcd"), WallApplier::Outcome::Failed);
    // The previous picture is not shown again in place of the broken one.
    EXPECT_EQ(desktop.calls.size(), 1u);
    EXPECT_EQ(ReadAll(Temp()), before);
    EXPECT_FALSE(fs::exists(Temp().string() + ".part"));
    EXPECT_EQ(schedule.NextWallChange, next);
    EXPECT_EQ(host.busy, 0);
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
    converter.throws = true;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/c.pcd"), WallApplier::Outcome::Failed);
    EXPECT_EQ(host.reports.size(), 2u);
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_NE(host.logs[0].find("/pics/c.pcd"), std::string::npos);
    converter.throws = false;
    EXPECT_EQ(applier.ApplyWallPaper("/pics/d.gif"), WallApplier::Outcome::Applied);
    EXPECT_EQ(applier.ApplyWallPaper("/pics/e.bmp"), WallApplier::Outcome::Applied);
    // Every way out lets the working pictures go and returns the memory.
    EXPECT_EQ(converter.released, 5);
    EXPECT_EQ(host.memoryReturned, 5);
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
