// SPDX-License-Identifier: GPL-3.0-or-later
// The registry kept on disk: written atomically, read back by a new instance,
// nothing kept when the file cannot be written, system facts answered.
#include "platform/linux/files/file_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using platform::RootKey;

namespace {
struct Dir {
    fs::path path = fs::temp_directory_path() /
                    ("zelvaro-reg-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    Dir() { fs::create_directories(path); }
    ~Dir() { fs::remove_all(path); }
};
}  // namespace

TEST(FileRegistry, WritesSurviveARestartAndLeaveNoTemporaryFile)
{
    Dir d;
    const std::string file = (d.path / "sub" / "registry.reg").string();
    {
        platform::FileRegistry r(file);
        EXPECT_FALSE(r.OpenKey(RootKey::CurrentUser, "Control Panel\\Desktop", false));
        EXPECT_TRUE(r.WriteString(RootKey::CurrentUser, "Control Panel\\Desktop\\", "TileWallPaper", "1"));
        EXPECT_TRUE(r.WriteDword(RootKey::CurrentUser, "Software\\Zelvaro", "N", 7));
        EXPECT_TRUE(r.WriteBinary(RootKey::CurrentUser, "Software\\Zelvaro", "B", {1, 2}));
        EXPECT_TRUE(r.OpenKey(RootKey::Users, "Empty", true));
    }
    platform::FileRegistry again(file);
    EXPECT_EQ(again.ReadString(RootKey::CurrentUser, "control panel\\desktop", "TileWallPaper"), "1");
    EXPECT_EQ(again.ReadDword(RootKey::CurrentUser, "Software\\Zelvaro", "N"), 7u);
    EXPECT_EQ(again.ReadBinary(RootKey::CurrentUser, "Software\\Zelvaro", "B"), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_FALSE(again.ReadString(RootKey::CurrentUser, "Software\\Zelvaro", "N"));  // wrong kind
    EXPECT_TRUE(again.OpenKey(RootKey::Users, "Empty", false));
    for (const auto& e : fs::directory_iterator(d.path / "sub"))
        EXPECT_EQ(e.path().filename(), "registry.reg");
}

TEST(FileRegistry, UnwritableStoreKeepsNothingAndSaysSo)
{
    Dir d;
    std::ofstream(d.path / "blocker") << "a file where the directory should be";
    platform::FileRegistry r((d.path / "blocker" / "registry.reg").string());
    EXPECT_FALSE(r.WriteString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1"));
    EXPECT_FALSE(r.ReadString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper"));
    EXPECT_FALSE(r.OpenKey(RootKey::CurrentUser, "New", true));
}

TEST(FileRegistry, SystemFactsUnlessTheStoreHoldsThem)
{
    Dir d;
    platform::FileRegistry r((d.path / "registry.reg").string());
    const auto boot = std::filesystem::is_directory("/boot") ? std::optional<std::string>("/boot") : std::nullopt;
    EXPECT_EQ(r.ReadString(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "BootDir"),
              boot);
    EXPECT_TRUE(r.ReadString(RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner"));
    EXPECT_EQ(r.ReadString(RootKey::ClassesRoot, ".HTM", ""), "htmlfile");
    EXPECT_EQ(r.ReadString(RootKey::ClassesRoot, "htmlfile\\shell\\open\\command", ""), "xdg-open");
    r.WriteString(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "BootDir", "/mnt/boot");
    EXPECT_EQ(r.ReadString(RootKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "BootDir"),
              "/mnt/boot");
}

TEST(FileRegistry, WhatCannotBeReadIsNeverReplaced)
{
    // A FIFO with no writer would hold a blocking open for good; the alarm
    // ends the test instead of letting it hang.
    ::alarm(20);
    Dir d;
    const fs::path fifo = d.path / "fifo.reg", folder = d.path / "folder.reg", broken = d.path / "broken.reg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(folder);
    std::ofstream(broken, std::ios::binary) << std::string("\xFF\xFE\x00\xDC[\x00", 6);
    for (const fs::path& path : {fifo, folder, broken}) {
        const auto type = fs::status(path).type();
        platform::FileRegistry r(path.string());
        EXPECT_FALSE(r.WriteString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1")) << path;
        EXPECT_FALSE(r.OpenKey(RootKey::CurrentUser, "New", true)) << path;
        EXPECT_EQ(fs::status(path).type(), type) << path;
    }
    EXPECT_EQ(fs::file_size(broken), 6u);
    ::alarm(0);
}

TEST(FileRegistry, Utf16ExportIsReadAndKeptWhole)
{
    Dir d;
    const fs::path file = d.path / "registry.reg";
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Mine]\r\n"
                             "\"Kept\"=\"yes\"\r\n\"Odd\"=hex(7):41,00,00,00\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char c : text)
        bytes += std::string{c, '\0'};
    std::ofstream(file, std::ios::binary) << bytes;
    {
        platform::FileRegistry r(file.string());
        EXPECT_EQ(r.ReadString(RootKey::CurrentUser, "Software\\Mine", "Kept"), "yes");
        EXPECT_TRUE(r.WriteString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1"));
    }
    platform::FileRegistry again(file.string());
    EXPECT_EQ(again.ReadString(RootKey::CurrentUser, "Software\\Mine", "Kept"), "yes");
    EXPECT_EQ(again.ReadString(RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper"), "1");
    std::ifstream in(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(written.find("\"Odd\"=hex(7):41,00,00,00\n"), std::string::npos) << written;
}
