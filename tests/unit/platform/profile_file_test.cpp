#include "platform/linux/disk_profile_file.h"
#include "base/profile_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "zelvaro-profile-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

std::string Slurp(const fs::path& p)
{
    std::string s;
    platform::ReadWholeFile(p.string(), s);
    return s;
}

}  // namespace

TEST(ProfileText, MatchesWithoutCaseAndFirstDuplicateWins)
{
    const ProfileText t("[Location]\nOffsetX = 12 \n[location]\noffsetx=99\n[WallDir]\nWallDir1=\"/a b\"\n"
                        "OffsetX=5\n; OffsetY=7\nno equals here\n");
    EXPECT_EQ(t.Get("LOCATION", "offsetX"), "12");
    EXPECT_EQ(t.Get("WallDir", "WallDir1"), "/a b");
    EXPECT_EQ(t.Get("WallDir", "OffsetX"), "5");
    EXPECT_FALSE(t.Get("WallDir", "; OffsetY").has_value());
    EXPECT_FALSE(t.Get("Location", "OffsetY").has_value());
    EXPECT_FALSE(t.Get("Nowhere", "OffsetX").has_value());
}

TEST(ProfileText, WriteChangesOnlyItsLineAndAppendsInOrder)
{
    const std::string original =
        "\xEF\xBB\xBF; my notes\r\n[Location]\r\nOffsetX=1\r\nMine=keep\r\n\r\n[Other]\r\nx=y\r\n";
    ProfileText t(original);
    t.Set("location", "offsetx", "40");
    t.Set("Location", "OnTop", "1");
    t.Set("WallDir", "WallDir1", "/pics");
    t.Set("WallDir", "WallDir2", "");
    EXPECT_EQ(t.Serialize(),
              "\xEF\xBB\xBF; my notes\r\n[Location]\r\noffsetx=40\r\nMine=keep\r\nOnTop=1\r\n\r\n[Other]\r\nx=y\r\n"
              "[WallDir]\r\nWallDir1=/pics\r\nWallDir2=\r\n");
    ProfileText noEnd("[A]\nk=v");
    noEnd.Set("A", "j", "w");
    noEnd.Set("B", "k", "v");
    EXPECT_EQ(noEnd.Serialize(), "[A]\nk=v\nj=w\n[B]\nk=v\n");
}

TEST(ProfileText, CutsLongValuesAtWholeCharacters)
{
    EXPECT_EQ(CutToCharacters(std::string(1500, 'a'), kProfileStringLimit).size(), 1023u);
    EXPECT_EQ(CutToCharacters("あいう", 2), "あい");
    EXPECT_EQ(CutToCharacters("ab", 5), "ab");
}

TEST(DiskProfileFile, FirstWriteCreatesAndLongValuesReadBackCut)
{
    TempDir dir;
    platform::DiskProfileFile file((dir.path / "zelvaro.INI").string());
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.ReadString("A", "k", "dflt"), "dflt");
    ASSERT_TRUE(file.WriteString("A", "k", std::string(1500, 'z')));
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(file.ReadString("a", "K", ""), std::string(1023, 'z'));
}

TEST(DiskProfileFile, FailedWriteLeavesTheOldFileAndNoDebris)
{
    // A file-size limit makes the write fail half-way, as a full disk would,
    // and works for root too.
    TempDir dir;
    const fs::path path = dir.path / "zelvaro.INI";
    platform::DiskProfileFile file(path.string());
    ASSERT_TRUE(file.WriteString("A", "k", "old"));

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = file.WriteString("A", "k", std::string(4096, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Slurp(path), "[A]\nk=old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(DiskProfileFile, WriteIntoAMissingDirectoryOrOverAFolderFails)
{
    TempDir dir;
    platform::DiskProfileFile missing((dir.path / "no" / "zelvaro.INI").string());
    EXPECT_FALSE(missing.WriteString("A", "k", "v"));
    fs::create_directory(dir.path / "folder.INI");
    platform::DiskProfileFile folder((dir.path / "folder.INI").string());
    EXPECT_FALSE(folder.Exists());
    EXPECT_FALSE(folder.WriteString("A", "k", "v"));
    EXPECT_TRUE(fs::is_directory(dir.path / "folder.INI"));
}

TEST(DiskProfileFile, ReplacesAtomicallyKeepingPermissions)
{
    TempDir dir;
    const fs::path path = dir.path / "zelvaro.INI";
    {
        std::ofstream(path) << "[A]\nk=1\n";
    }
    ::chmod(path.c_str(), 0600);
    const auto inodeBefore = fs::status(path).permissions();
    platform::DiskProfileFile file(path.string());
    ASSERT_TRUE(file.WriteString("A", "k", "2"));
    EXPECT_EQ(fs::status(path).permissions(), inodeBefore);
    EXPECT_EQ(Slurp(path), "[A]\nk=2\n");
}
