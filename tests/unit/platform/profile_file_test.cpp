// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/profile_text.h"
#include "platform/linux/files/disk_profile_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

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

using ReadResult = platform::ProfileFile::ReadResult;

std::string ReadBack(const platform::DiskProfileFile& file, ReadResult expected = ReadResult::Read)
{
    std::string text = "left over";
    EXPECT_EQ(file.Read(text), expected) << file.Path();
    return text;
}

TEST(DiskProfileFile, FirstWriteCreatesAndReadsBackWhole)
{
    TempDir dir;
    platform::DiskProfileFile file((dir.path / "zelvaro.INI").string());
    EXPECT_EQ(ReadBack(file, ReadResult::Missing), "");
    ASSERT_TRUE(file.Replace("[A]\nk=v\n"));
    EXPECT_EQ(ReadBack(file), "[A]\nk=v\n");
}

TEST(DiskProfileFile, FailedWriteLeavesTheOldFileAndNoDebris)
{
    // A file-size limit makes the write fail half-way, as a full disk would,
    // and works for root too.
    TempDir dir;
    const fs::path path = dir.path / "zelvaro.INI";
    platform::DiskProfileFile file(path.string());
    ASSERT_TRUE(file.Replace("[A]\nk=old\n"));

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = file.Replace(std::string(4096, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Slurp(path), "[A]\nk=old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(DiskProfileFile, WhatCannotBeReadOrWrittenStaysAsItIs)
{
    // Each kind of file that is not a plain writable settings file: what a
    // read gives, and that a write fails and leaves it untouched.
    TempDir dir;
    const fs::path folder = dir.path / "folder.INI", fifo = dir.path / "fifo.INI", big = dir.path / "big.INI",
                   sparse = dir.path / "sparse.INI", readOnly = dir.path / "readonly.INI",
                   toFifo = dir.path / "tofifo.INI", missingDir = dir.path / "no" / "zelvaro.INI";
    fs::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::ofstream(big) << std::string(platform::ProfileFile::kMaxBytes + 1, '\n');
    std::ofstream(sparse).close();
    fs::resize_file(sparse, std::uintmax_t{1} << 30);
    std::ofstream(readOnly) << "[A]\nk=mine\n";
    ::chmod(readOnly.c_str(), 0444);
    fs::create_symlink("fifo.INI", toFifo);

    // A file too large to read is still a plain file to write: the settings
    // never write it, as they cannot read its other lines.
    struct Case {
        fs::path path;
        ReadResult read;
        bool writeRefused;
    };
    for (const Case& c : {Case{folder, ReadResult::Missing, true}, Case{fifo, ReadResult::Unreadable, true},
                          Case{big, ReadResult::Unreadable, false}, Case{sparse, ReadResult::Unreadable, false},
                          Case{readOnly, ReadResult::Read, true}, Case{toFifo, ReadResult::Unreadable, true},
                          Case{missingDir, ReadResult::Missing, true}}) {
        platform::DiskProfileFile file(c.path.string());
        std::string text;
        EXPECT_EQ(file.Read(text), c.read) << c.path;
        EXPECT_LE(text.size(), platform::ProfileFile::kMaxBytes) << c.path;
        if (!c.writeRefused)
            continue;
        const auto before = fs::symlink_status(c.path).type();
        const auto size = fs::is_regular_file(c.path) ? fs::file_size(c.path) : 0;
        EXPECT_FALSE(file.Replace("[A]\nk=new\n")) << c.path;
        EXPECT_EQ(fs::symlink_status(c.path).type(), before) << c.path;
        if (fs::is_regular_file(c.path)) {
            EXPECT_EQ(fs::file_size(c.path), size) << c.path;
        }
    }
    EXPECT_EQ(Slurp(readOnly), "[A]\nk=mine\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 6);
}

TEST(DiskProfileFile, LinksAreFollowedAndStayLinks)
{
    // A relative link, a chain of two links and a link to a file not made
    // yet: the file at the end is replaced, every link stays a link.
    TempDir dir;
    fs::create_directory(dir.path / "real");
    std::ofstream(dir.path / "real" / "settings.ini") << "; mine\n[A]\nk=1\n";
    fs::create_symlink("real/settings.ini", dir.path / "zelvaro.INI");
    fs::create_symlink("zelvaro.INI", dir.path / "chain.INI");
    fs::create_symlink("real/later.ini", dir.path / "dangling.INI");

    platform::DiskProfileFile linked((dir.path / "chain.INI").string());
    EXPECT_EQ(ReadBack(linked), "; mine\n[A]\nk=1\n");
    ASSERT_TRUE(linked.Replace("; mine\n[A]\nk=2\n"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "chain.INI"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "zelvaro.INI"));
    EXPECT_EQ(Slurp(dir.path / "real" / "settings.ini"), "; mine\n[A]\nk=2\n");

    platform::DiskProfileFile dangling((dir.path / "dangling.INI").string());
    EXPECT_EQ(ReadBack(dangling, ReadResult::Missing), "");
    ASSERT_TRUE(dangling.Replace("[B]\n"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.INI"));
    EXPECT_EQ(Slurp(dir.path / "real" / "later.ini"), "[B]\n");

    fs::create_symlink("loop.INI", dir.path / "loop.INI");
    EXPECT_FALSE(platform::DiskProfileFile((dir.path / "loop.INI").string()).Replace("x"));
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
    ASSERT_TRUE(file.Replace("[A]\nk=2\n"));
    EXPECT_EQ(fs::status(path).permissions(), inodeBefore);
    EXPECT_EQ(Slurp(path), "[A]\nk=2\n");
}

TEST(ReadRegularFile, OnlyRegularFilesAreRead)
{
    // Every reader of the program's files (lists, entries, help, registry)
    // goes through this: a FIFO or folder gives its answer at once.
    ::alarm(20);
    TempDir dir;
    const fs::path fifo = dir.path / "fifo", folder = dir.path / "folder", plain = dir.path / "plain",
                   big = dir.path / "big", link = dir.path / "link";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(folder);
    std::ofstream(plain) << "text";
    std::ofstream(big) << std::string(100, 'x');
    fs::create_symlink("fifo", link);
    struct Case {
        fs::path path;
        platform::WholeFileRead result;
        std::string content;
    };
    using R = platform::WholeFileRead;
    for (const Case& c : {Case{fifo, R::Unreadable, ""}, Case{link, R::Unreadable, ""}, Case{folder, R::Folder, ""},
                          Case{plain, R::Read, "text"}, Case{big, R::Unreadable, ""},
                          Case{dir.path / "none", R::Missing, ""}, Case{plain / "under", R::Missing, ""}}) {
        std::string content = "stale";
        EXPECT_EQ(platform::ReadRegularFile(c.path.string(), content, 50), c.result) << c.path;
        EXPECT_EQ(content, c.content) << c.path;
    }
    ::alarm(0);
}
