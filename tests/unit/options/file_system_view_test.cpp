// SPDX-License-Identifier: GPL-3.0-or-later
// The pickers' view of the file system: file types and patterns, the drives
// of a mount table, the directory tree, listings and paths.

#include "base/zelvaro_error.h"
#include "image/image_format.h"
#include "options/file_system_view.h"
#include "options/file_types.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(FileTypes, ParsesDescriptionPatternPairs)
{
    const auto image = ParseFileTypes(ImageFileTypes());
    ASSERT_EQ(image.size(), 2u);
    EXPECT_EQ(image[1].description, "画像ﾌｧｲﾙ");
    // The newer formats come after the written patterns, timed XML backgrounds last.
    EXPECT_EQ(image[1].pattern, "*.BMP;*.JPG;*.GIF;*.PCD;*.TIF;*.PNG;*.WEBP;*.AVIF;*.HEIC;*.HEIF;*.JXL;"
                                "*.JPEG;*.JPE;*.JFIF;*.TIFF;*.AVIFS;*.HEICS;*.XML");
    // The pickers list exactly the names the rotation takes.
    for (const char* name :
         {"a.jpg",  "a.JPEG", "a.jpe",  "a.Jfif",  "a.png",  "a.gif",   "a.tif", "a.tiff", "a.bmp",   "a.pcd",
          "a.webp", "a.heic", "a.heif", "a.heics", "a.avif", "a.avifs", "a.jxl", "a.txt",  "a.jpeg2", "a"})
        for (const std::string& types : {ImageFileTypes(), TileFileTypes(), OpenBmpOwnFileTypes()}) {
            const bool listed = std::ranges::any_of(ParseFileTypes(types), [&](const FileType& t) {
                return t.pattern != "*.BMP" && MatchesFilePattern(name, t.pattern);
            });
            EXPECT_EQ(listed, FormatOfName(name) != nullptr) << name << " in " << types;
        }
    EXPECT_TRUE(ParseFileTypes("").empty());
    EXPECT_EQ(ParseFileTypes("Lone").at(0).pattern, "*");
}

TEST(FileTypes, PatternsMatchWithoutRegardToCase)
{
    struct Case {
        const char* name;
        const char* patterns;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"photo.bmp", "*.BMP", true},
        {"PHOTO.BMP", "*.bmp", true},
        {"photo.bmp.txt", "*.BMP", false},
        {"sunset.Jpg", "*.BMP;*.JPG;*.GIF;*.PCD;*.TIF", true},
        {"scan.tif", "*.BMP; *.JPG ;*.TIF", true},
        {"scan.tiff", "*.BMP;*.TIF", false},
        {"README", "*.*", true},
        {"chime.wav", "*.WAV", true},
        {"chime.wave", "*.WAV", false},
        {"a1.wav", "?1.WAV", true},
        {"ab1.wav", "?1.WAV", false},
        {"写真.BMP", "*.bmp", true},
        {"x.bmp", "", false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesFilePattern(c.name, c.patterns), c.matches) << c.name << " ~ " << c.patterns;
}

TEST(FileSystemView, DrivesAreTheFileSystemsAPersonChoosesFrom)
{
    const std::string table = "/dev/sda2 / ext4 rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "sysfs /sys sysfs rw 0 0\n"
                              "tmpfs /run tmpfs rw 0 0\n"
                              "/dev/sda1 /boot/efi vfat rw 0 0\n"
                              "/dev/sda3 /home ext4 rw 0 0\n"
                              "/dev/sdb1 /media/ann/MY\\040STICK vfat rw 0 0\n"
                              "server:/srv /net/srv nfs4 rw 0 0\n"
                              "/dev/sdc1 /mnt/backup ext4 rw 0 0\n"
                              "tmpfs /media/ram tmpfs rw 0 0\n"
                              "garbage\n";
    const auto drives = DrivesFromMountTable(table, "/home/ann");
    std::vector<std::string> paths;
    for (const DriveEntry& d : drives)
        paths.push_back(d.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"/", "/home", "/media/ann/MY STICK", "/net/srv", "/mnt/backup"}));
    EXPECT_EQ(drives[2].label, "/media/ann/MY STICK (vfat)");

    EXPECT_EQ(DriveIndexOf(drives, "/home/ann/Pictures"), 1u);
    EXPECT_EQ(DriveIndexOf(drives, "/media/ann/MY STICK"), 2u);
    EXPECT_EQ(DriveIndexOf(drives, "/homework"), 0u);
    EXPECT_EQ(DriveIndexOf(drives, "/usr/share"), 0u);
    // No table at all still offers the root.
    EXPECT_EQ(DrivesFromMountTable("", "/home/ann").size(), 1u);
}

TEST(FileSystemView, TreeShowsThePathDownAndTheSubdirectories)
{
    const auto tree = DirectoryTree("/home/ann", {"Music", "Pictures"});
    ASSERT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree[0].path, "/");
    EXPECT_EQ(tree[1].path, "/home");
    EXPECT_EQ(tree[2].label, "ann");
    EXPECT_TRUE(tree[2].open);
    EXPECT_EQ(tree[2].depth, 2);
    EXPECT_EQ(tree[4].path, "/home/ann/Pictures");
    EXPECT_FALSE(tree[4].open);
    EXPECT_EQ(tree[4].depth, 3);

    const auto root = DirectoryTree("/", {"etc"});
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root[1].path, "/etc");
    EXPECT_EQ(root[1].depth, 1);
}

TEST(FileSystemView, ListsJoinsAndChangesDirectory)
{
    const fs::path dir = fs::temp_directory_path() / ("zelvaro_fsview_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Sub");
    fs::create_directories(dir / ".hidden");
    for (const char* name : {"b.BMP", "a.bmp", "c.jpg", ".secret.bmp"})
        std::ofstream(dir / name) << "x";
    const DirectoryListing listing = ListDirectory(dir.string());
    EXPECT_EQ(listing.subdirs, (std::vector<std::string>{"Sub"}));
    EXPECT_EQ(listing.files, (std::vector<std::string>{"a.bmp", "b.BMP", "c.jpg"}));
    EXPECT_EQ(FilesMatching(listing.files, "*.BMP"), (std::vector<std::string>{"a.bmp", "b.BMP"}));
    EXPECT_TRUE(ListDirectory((dir / "missing").string()).files.empty());

    EXPECT_EQ(JoinFilePath("/home/ann", "a.bmp"), "/home/ann/a.bmp");
    EXPECT_EQ(JoinFilePath("/", "a.bmp"), "/a.bmp");
    EXPECT_EQ(JoinFilePath("/home/ann", ""), "");

    const std::string before = CurrentDirectory();
    ChangeCurrentDirectory((dir / "Sub").string());
    EXPECT_EQ(CurrentDirectory(), (dir / "Sub").string());
    EXPECT_THROW(ChangeCurrentDirectory((dir / "missing").string()), ZelvaroError);
    EXPECT_EQ(CurrentDirectory(), (dir / "Sub").string());
    ChangeCurrentDirectory(before);
    fs::remove_all(dir);
}
