// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program_files.h"

#include <gtest/gtest.h>

#include <set>

TEST(ProgramFiles, SettingsBesideAWritableCopyElseInTheUserConfigFolder)
{
    struct Case {
        const char* exe;
        bool writable;
        const char* configDir;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/me/clock/zelvaro", true, "/home/me/.config/zelvaro", "/home/me/clock/zelvaro.INI"},
        {"/usr/bin/zelvaro", false, "/home/me/.config/zelvaro", "/home/me/.config/zelvaro/zelvaro.INI"},
        // The name rule holds in the config folder too, and a trailing slash is not doubled.
        {"/usr/bin/my.clock", false, "/home/me/.config/zelvaro/", "/home/me/.config/zelvaro/my.INI"},
        // A folder name with a "." does not cut the name.
        {"/opt/v1.6/zelvaro", false, "/cfg.d/zelvaro", "/cfg.d/zelvaro/zelvaro.INI"},
        // Without a config folder the copy keeps the old place rather than a relative one.
        {"/usr/bin/zelvaro", false, "", "/usr/bin/zelvaro.INI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsFilePath(c.exe, c.writable, c.configDir), c.expected) << c.exe;
}

TEST(ProgramFiles, HelpBesideTheProgramThenInTheInstalledDataFolder)
{
    struct Case {
        const char* exe;
        std::set<std::string> present;
        const char* expected;
    };
    const Case cases[] = {
        // A build or portable copy: beside it, even when an installed one exists.
        {"/home/me/build/zelvaro",
         {"/home/me/build/zelvaro.HLP", "/home/me/share/zelvaro/zelvaro.HLP"},
         "/home/me/build/zelvaro.HLP"},
        // An installed copy, or one unpacked from the package anywhere.
        {"/usr/bin/zelvaro", {"/usr/share/zelvaro/zelvaro.HLP"}, "/usr/share/zelvaro/zelvaro.HLP"},
        {"/tmp/x/usr/bin/zelvaro", {"/tmp/x/usr/share/zelvaro/zelvaro.HLP"}, "/tmp/x/usr/share/zelvaro/zelvaro.HLP"},
        // A renamed installed copy: its own name first, then the installed name.
        {"/usr/bin/clock.bin",
         {"/usr/share/zelvaro/clock.HLP", "/usr/share/zelvaro/zelvaro.HLP"},
         "/usr/share/zelvaro/clock.HLP"},
        {"/usr/bin/clock.bin", {"/usr/share/zelvaro/zelvaro.HLP"}, "/usr/share/zelvaro/zelvaro.HLP"},
        // None found: the path beside the program, for the message that names it.
        {"/usr/bin/zelvaro", {}, "/usr/bin/zelvaro.HLP"},
    };
    for (const Case& c : cases) {
        const auto exists = [&](const std::string& path) { return c.present.count(path) > 0; };
        EXPECT_EQ(HelpFilePath(c.exe, "../share/zelvaro", exists), c.expected) << c.exe;
        // Installed exactly when its help comes from the data folder: root's
        // /usr/bin is writable, yet the settings go to the config folder.
        const bool installed = std::string(c.expected).find("/share/zelvaro/") != std::string::npos;
        EXPECT_EQ(IsInstalledCopy(c.exe, "../share/zelvaro", exists), installed) << c.exe;
    }
}

TEST(ProgramFiles, SoundsBesideTheBuildElseInTheInstalledDataFolder)
{
    const std::set<std::string> build{"/home/me/build/sounds/"};
    const auto inBuild = [&](const std::string& path) { return build.count(path) > 0; };
    const auto none = [](const std::string&) { return false; };
    EXPECT_EQ(SoundFolder("/home/me/build/zelvaro", "../share/zelvaro", inBuild), "/home/me/build/sounds/");
    EXPECT_EQ(SoundFolder("/usr/bin/zelvaro", "../share/zelvaro", none), "/usr/share/zelvaro/sounds/");
    EXPECT_EQ(SoundFolder("/usr/bin/zelvaro", "", none), "/usr/bin/sounds/");
}
