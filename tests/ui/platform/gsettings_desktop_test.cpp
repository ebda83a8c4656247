// SPDX-License-Identifier: GPL-3.0-or-later
// The GNOME backend against GSettings' keyfile backend with the installed
// schema: the keys it writes are read back from the keyfile. And the script
// the KDE backend hands to plasmashell.
#include "platform/fake/memory_registry.h"
#include "platform/linux/desktop/gsettings_desktop.h"
#include "platform/linux/desktop/kde_desktop.h"
#include "test_bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using platform::Desktop;
using platform::GSettingsDesktop;

namespace {

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Copies(const fs::path& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename().string().rfind("ZelvaroWl-", 0) == 0)
            out.push_back(e.path().string());
    return out;
}

}  // namespace

TEST(GSettingsDesktop, WritesPictureAndStyleWithAFreshNameEachTime)
{
    const fs::path home = fs::temp_directory_path() / ("zelvaro-gs-" + std::to_string(getpid()));
    fs::create_directories(home / "data");
    // Before GIO reads its settings backend for the first time.
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    WriteTestBmp((home / "a.bmp").string(), 2, 2, {0xff0000, 0xff0000, 0xff0000, 0xff0000});

    platform::MemoryRegistry registry;
    auto desktop = GSettingsDesktop::Create(GSettingsDesktop::Family::Gnome, registry, (home / "data").string());
    if (!desktop)
        GTEST_SKIP() << "org.gnome.desktop.background is not installed";
    EXPECT_EQ(desktop->Name(), "gnome");
    EXPECT_FALSE(GSettingsDesktop::Create(GSettingsDesktop::Family::Mate, registry, "/tmp") &&
                 !fs::exists("/usr/share/glib-2.0/schemas/org.mate.background.gschema.xml"));

    ASSERT_EQ(desktop->SetWallpaper((home / "a.bmp").string()), Desktop::Result::Done);
    const fs::path keyfile = home / "config" / "glib-2.0" / "settings" / "keyfile";
    auto first = Copies(home / "data");
    ASSERT_EQ(first.size(), 1u);
    std::string text = ReadAll(keyfile);
    EXPECT_NE(text.find("picture-uri='file://" + first[0] + "'"), std::string::npos) << text;
    EXPECT_NE(text.find("picture-options='centered'"), std::string::npos) << text;

    registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1");
    ASSERT_EQ(desktop->SetWallpaper((home / "a.bmp").string()), Desktop::Result::Done);
    auto second = Copies(home / "data");
    ASSERT_EQ(second.size(), 1u);  // the earlier copy is gone
    EXPECT_NE(second[0], first[0]);
    text = ReadAll(keyfile);
    EXPECT_NE(text.find("picture-uri='file://" + second[0] + "'"), std::string::npos) << text;
    EXPECT_NE(text.find("picture-options='wallpaper'"), std::string::npos) << text;
    // A picture composed for every monitor is spanned over them, whatever the registry says.
    EXPECT_TRUE(desktop->ShowsComposed());
    desktop->SetLayout(Desktop::Layout::Composed);
    ASSERT_EQ(desktop->SetWallpaper((home / "a.bmp").string()), Desktop::Result::Done);
    EXPECT_NE(ReadAll(keyfile).find("picture-options='spanned'"), std::string::npos) << ReadAll(keyfile);
    desktop->SetLayout(Desktop::Layout::AsRegistry);
    second = Copies(home / "data");

    std::ofstream(home / "bad.bmp") << "nope";
    EXPECT_EQ(desktop->SetWallpaper((home / "bad.bmp").string()), Desktop::Result::Unreadable);
    EXPECT_EQ(Copies(home / "data"), second);
    fs::remove_all(home);
}

TEST(KdeDesktop, ScriptSetsEveryDesktopWithItsFillMode)
{
    const std::string tiled = platform::KdeDesktop::Script("file:///d/a\"b\\c.bmp", platform::WallpaperMode::Tile);
    EXPECT_NE(tiled.find("writeConfig(\"Image\", \"file:///d/a\\\"b\\\\c.bmp\")"), std::string::npos) << tiled;
    EXPECT_NE(tiled.find("writeConfig(\"FillMode\", 3)"), std::string::npos);
    EXPECT_NE(platform::KdeDesktop::Script("file:///a.bmp", platform::WallpaperMode::Centre)
                  .find("writeConfig(\"FillMode\", 6)"),
              std::string::npos);
    EXPECT_NE(platform::KdeDesktop::Script("file:///a.bmp", platform::WallpaperMode::Fill)
                  .find("writeConfig(\"FillMode\", 2)"),
              std::string::npos);
}
