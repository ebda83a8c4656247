// SPDX-License-Identifier: GPL-3.0-or-later
// Where a picker opens, and what a name typed into its field asks for.

#include "options/typed_file_name.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class TypedFileName : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("typed_name_" + std::to_string(::getpid()));
        fs::create_directories(root_ / "home" / "Pictures");
        fs::create_directories(root_ / "photos" / "old");
        std::ofstream(root_ / "photos" / "sea.jpg") << "x";
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string At(const std::string& relative) const { return (root_ / relative).string(); }
    fs::path root_;
};

TEST_F(TypedFileName, StartFolderIsTheValuesFolderElseTheFirstFallbackThatExists)
{
    const std::vector<std::string> fallbacks = {At("home/Music"), At("home/Pictures"), At("home")};
    struct Case {
        std::string current;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {At("photos"), At("photos")},                  // a folder value opens itself
        {At("photos/sea.jpg"), At("photos")},          // a file value opens its folder
        {At("photos/gone.jpg"), At("photos")},         // also when the file is gone
        {At("missing/sea.jpg"), At("home/Pictures")},  // a missing folder: the first fallback that exists
        {"", At("home/Pictures")},
        {"sea.jpg", At("home/Pictures")},  // a bare name says nothing of a folder
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickerStartFolder(c.current, fallbacks), c.expected) << c.current;
    EXPECT_EQ(PickerStartFolder("", {At("nowhere")}), "");
}

TEST_F(TypedFileName, TypedTextIsAFolderAFileOrPatterns)
{
    const std::string here = At("photos");
    struct Case {
        std::string typed;
        TypedNameKind kind;
        std::string folder;
        std::string pattern;
        std::string file;
        bool exists = false;
    };
    const std::vector<Case> cases = {
        {"  ", TypedNameKind::Nothing, "", "", ""},
        {"old", TypedNameKind::Folder, At("photos/old"), "", ""},
        {"old/", TypedNameKind::Folder, At("photos/old"), "", ""},
        {"..", TypedNameKind::Folder, root_.string(), "", ""},
        {"~/Pictures", TypedNameKind::Folder, At("home/Pictures"), "", ""},
        {At("home"), TypedNameKind::Folder, At("home"), "", ""},
        {" sea.jpg ", TypedNameKind::File, "", "", At("photos/sea.jpg"), true},
        {"old/../sea.jpg", TypedNameKind::File, "", "", At("photos/sea.jpg"), true},
        {"new.jpg", TypedNameKind::File, "", "", At("photos/new.jpg")},  // missing: the caller says so
        {"*.jpg;*.png", TypedNameKind::Pattern, "", "*.jpg;*.png", ""},
        {"old/*.BMP", TypedNameKind::Pattern, At("photos/old"), "*.BMP", ""},
        {"/tmp/?.gif", TypedNameKind::Pattern, "/tmp", "?.gif", ""},
    };
    for (const Case& c : cases) {
        const TypedName read = ReadTypedName(c.typed, here, At("home"));
        EXPECT_EQ(read.kind, c.kind) << c.typed;
        EXPECT_EQ(read.folder, c.folder) << c.typed;
        EXPECT_EQ(read.pattern, c.pattern) << c.typed;
        EXPECT_EQ(read.file, c.file) << c.typed;
        EXPECT_EQ(read.exists, c.exists) << c.typed;
    }
}
