// SPDX-License-Identifier: GPL-3.0-or-later
// The registry kept on disk: written atomically, read back by a new instance,
// nothing kept when the file cannot be written, system facts answered.
#include "platform/linux/file_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
