// SPDX-License-Identifier: GPL-3.0-or-later
// Which directory, which files and which path the rotation takes.
#include "wallpaper/wall_dir_choice.h"
#include "wallpaper/wall_files.h"
#include "wallpaper/wall_image.h"
#include "wallpaper/wall_rotation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

TDateTime At(int h, int m, int s = 0)
{
    return EncodeDate(2026, 12, 7) + EncodeTime(h, m, s);
}

struct TempDir {
    fs::path path;
    TempDir()
    {
        path = fs::temp_directory_path() /
               ("zelvaro-rot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    void Touch(const std::string& name) const { std::ofstream(path / name) << "x"; }
};

ClockSettings TwoWindows()
{
    ClockSettings s;
    s.WallDir1 = "/std";
    s.WallDir2 = "/opt1";
    s.WallDir3 = "/opt2";
    s.WallDir2Sw = s.WallDir3Sw = true;
    s.WallDir2StartTime = EncodeTime(9, 0);
    s.WallDir2EndTime = EncodeTime(17, 0);
    s.WallDir3StartTime = EncodeTime(12, 0);
    s.WallDir3EndTime = EncodeTime(20, 0);
    return s;
}

}  // namespace

TEST(WallImage, TakesEveryCommonSpellingOfThePictureExtensions)
{
    for (const char* yes :
         {"a.bmp", "B.JPG", "c.Gif", "/d/e.tif", "x.y.pcd", ".hidden.jpg", "c.png", "d.WebP", "e.avif", "f.HEIC",
          "g.heif", "h.jxl", "a.jpeg", "b.TIFF", "c.Jpe", "d.jfif", "e.heics", "f.AVIFS"})
        EXPECT_TRUE(IsWallImage(yes)) << yes;
    for (const char* no : {"noext", "/dir.jpg/file", "", "a.jpg.txt", "a.", "a.webp2", "a.jpegx", "a.tif.bak"})
        EXPECT_FALSE(IsWallImage(no)) << no;
}

TEST(WallImage, JoinsWithAndWithoutTrailingSeparator)
{
    EXPECT_EQ(JoinWallPath("/pics", "A.JPG"), "/pics/A.JPG");
    EXPECT_EQ(JoinWallPath("/pics/", "A.JPG"), "/pics/A.JPG");
    EXPECT_EQ(JoinWallPath("/", "A.JPG"), "/A.JPG");
}

TEST(WallDirChoice, WindowStartInclusiveEndExclusiveAndFirstWindowWins)
{
    ClockSettings s = TwoWindows();
    EXPECT_EQ(ChooseWallDir(s, At(8, 59, 59)), "/std");
    EXPECT_EQ(ChooseWallDir(s, At(9, 0)), "/opt1");
    EXPECT_EQ(ChooseWallDir(s, At(12, 30)), "/opt1");  // both hold
    EXPECT_EQ(ChooseWallDir(s, At(17, 0)), "/opt2");   // end is exclusive
    EXPECT_EQ(ChooseWallDir(s, At(20, 0)), "/std");
    s.WallDir2Sw = false;
    EXPECT_EQ(ChooseWallDir(s, At(10, 0)), "/std");
    EXPECT_EQ(ChooseWallDir(s, At(12, 0)), "/opt2");
}

TEST(WallDirChoice, NoWindowAcrossMidnightOrOfZeroLength)
{
    ClockSettings s = TwoWindows();
    s.WallDir2StartTime = EncodeTime(22, 0);
    s.WallDir2EndTime = EncodeTime(6, 0);
    s.WallDir3StartTime = s.WallDir3EndTime = EncodeTime(12, 0);
    for (int h : {0, 3, 12, 22, 23})
        EXPECT_EQ(ChooseWallDir(s, At(h, 0)), "/std") << h;
    // A window ending at 23:55 leaves the last minutes of the day to the standard directory.
    s.WallDir2StartTime = EncodeTime(20, 0);
    s.WallDir2EndTime = EncodeTime(23, 55);
    EXPECT_EQ(ChooseWallDir(s, At(23, 54, 59)), "/opt1");
    EXPECT_EQ(ChooseWallDir(s, At(23, 55)), "/std");
}

TEST(WallFiles, KeepsImagesSkipsDirectoriesSpecialFilesAndTakesHiddenFiles)
{
    TempDir d;
    for (const char* n : {"a.jpg", "b.Gif", "c.jpeg", "d.txt", "e.pcd", ".h.bmp"})
        d.Touch(n);
    fs::create_directory(d.path / "f.bmp");
    fs::create_directory(d.path / "sub");
    d.Touch("sub/deep.jpg");
    fs::create_directory_symlink(d.path / "f.bmp", d.path / "link.tif");
    // A FIFO would block whoever opens it; a device is no picture.
    ASSERT_EQ(::mkfifo((d.path / "x.pcd").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", d.path / "zero.bmp");
    // Links that lead nowhere (a dangling one, a loop) are no pictures: left
    // out and counted, so a folder of nothing else can be told as such.
    fs::create_symlink(d.path / "gone.jpg", d.path / "dangling.jpg");
    fs::create_symlink(d.path / "loop.gif", d.path / "loop.gif");
    fs::create_symlink(d.path / "gone.txt", d.path / "dangling.txt");  // no picture name: not counted

    std::size_t broken = 99;
    auto files = LoadWallFiles(d.path.string(), &broken);
    std::multiset<std::string> got(files.begin(), files.end());
    EXPECT_EQ(got, (std::multiset<std::string>{"a.jpg", "b.Gif", "c.jpeg", "e.pcd", ".h.bmp"}));
    EXPECT_EQ(broken, 2u);

    // The enumeration's order is kept, not sorted.
    std::vector<std::string> order;
    for (const auto& e : fs::directory_iterator(d.path))
        if (IsWallImage(e.path().filename().string()) && got.count(e.path().filename().string()))
            order.push_back(e.path().filename().string());
    EXPECT_EQ(files, order);
}

TEST(WallFiles, MissingFileOrEmptyDirectoryGivesEmptyList)
{
    TempDir d;
    d.Touch("plain.jpg");
    EXPECT_TRUE(LoadWallFiles((d.path / "absent").string()).empty());
    EXPECT_TRUE(LoadWallFiles((d.path / "plain.jpg").string()).empty());  // a file, not a directory
    EXPECT_TRUE(LoadWallFiles("").empty());
}

TEST(WallRotation, ListsOnlyWhenTheDirectoryStringChanges)
{
    TempDir d;
    d.Touch("one.jpg");
    ClockSettings s;
    s.WallDir1 = d.path.string();
    WallRotation r(1);
    EXPECT_EQ(r.NextWallFile(s, At(10, 0)), d.path.string() + "/one.jpg");
    d.Touch("two.jpg");
    for (int i = 0; i < 20; ++i)  // same string: the kept list is reused
        EXPECT_EQ(r.NextWallFile(s, At(10, 0)), d.path.string() + "/one.jpg");
    EXPECT_EQ(r.CurWallDir, r.PrevWallDir);

    s.WallDir1 = d.path.string() + "/";  // another string for the same directory: listed again
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i)
        seen.insert(r.NextWallFile(s, At(10, 0)));
    EXPECT_EQ(seen, (std::set<std::string>{d.path.string() + "/one.jpg", d.path.string() + "/two.jpg"}));
}

TEST(WallRotation, EmptyDirectoryGivesNothingAndIsListedAgain)
{
    TempDir d;
    ClockSettings s;
    WallRotation r(7);
    EXPECT_EQ(r.NextWallFile(s, At(10, 0)), "");  // no directory string
    s.WallDir1 = d.path.string();
    EXPECT_EQ(r.NextWallFile(s, At(10, 0)), "");
    d.Touch("late.bmp");
    EXPECT_EQ(r.NextWallFile(s, At(10, 1)), d.path.string() + "/late.bmp");
}

TEST(WallRotation, ShowsEveryFileOnceARoundAndStartsOverOnAFolderChange)
{
    TempDir d;
    for (int i = 0; i < 6; ++i)
        d.Touch("p" + std::to_string(i) + ".jpg");
    ClockSettings s;
    s.WallDir1 = d.path.string();
    WallRotation r(42);
    std::set<std::string> round;
    for (int i = 0; i < 6; ++i)
        round.insert(r.NextWallFile(s, At(10, 0)));
    EXPECT_EQ(round.size(), 6u);
    r.NextWallFile(s, At(10, 1));  // a round begun, then another folder string
    s.WallDir1 = d.path.string() + "/";
    round.clear();
    for (int i = 0; i < 6; ++i)
        round.insert(r.NextWallFile(s, At(10, 2)));
    EXPECT_EQ(round.size(), 6u);
}

TEST(WallRotation, AFileThatFailedIsPassedOverForTheRestOfItsMinute)
{
    TempDir d;
    d.Touch("bad.jpg");
    d.Touch("good.jpg");
    ClockSettings s;
    s.WallDir1 = d.path.string();
    const std::string bad = d.path.string() + "/bad.jpg";
    const std::string good = d.path.string() + "/good.jpg";
    for (std::uint32_t seed = 0; seed < 10; ++seed) {
        WallRotation r(seed);
        r.Failed(bad, At(10, 0, 1));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(r.NextWallFile(s, At(10, 0, 30)), good);
        r.Failed(good, At(10, 0, 31));
        EXPECT_EQ(r.NextWallFile(s, At(10, 0, 32)), "");  // every file failed: the tries end
        std::set<std::string> later;
        for (int i = 0; i < 4; ++i)
            later.insert(r.NextWallFile(s, At(10, 1)));
        EXPECT_EQ(later, (std::set<std::string>{bad, good}));
    }
}

TEST(WallRotation, OtherMonitorsGetOtherFilesWhileTheDirectoryHasThem)
{
    struct Case {
        int files;
        std::size_t more;
        std::size_t distinct;  // different files among the first and the more
    };
    for (const Case c : {Case{4, 2, 3}, Case{2, 1, 2}, Case{2, 3, 2}, Case{1, 2, 1}, Case{0, 1, 0}}) {
        SCOPED_TRACE(std::to_string(c.files) + " files, " + std::to_string(c.more) + " more");
        TempDir d;
        for (int i = 0; i < c.files; ++i)
            d.Touch("p" + std::to_string(i) + ".jpg");
        ClockSettings s;
        s.WallDir1 = d.path.string();
        WallRotation r(5);
        for (int round = 0; round < 20; ++round) {
            const std::string first = r.NextWallFile(s, At(10, 0));
            const std::vector<std::string> more = r.MoreWallFiles(first, c.more);
            ASSERT_EQ(more.size(), c.files ? c.more : 0u);
            std::set<std::string> all(more.begin(), more.end());
            if (!first.empty())
                all.insert(first);
            EXPECT_EQ(all.size(), c.distinct);
        }
    }
}

TEST(WallFiles, OfTheXmlFilesOnlyTimedBackgroundsAreListed)
{
    TempDir d;
    auto Write = [&](const char* name, const char* text) { std::ofstream(d.path / name) << text; };
    Write("day.xml", "<?xml version=\"1.0\"?>\n<background><static/></background>");
    Write("Night.XML", "<background>");
    Write("feed.xml", "<?xml version=\"1.0\"?><rss/>");
    Write("empty.xml", "");
    auto files = LoadWallFiles(d.path.string());
    std::multiset<std::string> got(files.begin(), files.end());
    EXPECT_EQ(got, (std::multiset<std::string>{"day.xml", "Night.XML"}));
}
