// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/files/system_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(SystemDirs, UserConfigFolderFollowsXdgConfigHomeOnlyWhenAbsolute)
{
    ScopedEnv home("HOME", "/home/me");
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(platform::UserConfigDirectory(), "/cfg/zelvaro");
    }
    for (const char* ignored : {"", "relative/cfg"}) {
        ScopedEnv config("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(platform::UserConfigDirectory(), "/home/me/.config/zelvaro") << ignored;
    }
    ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(platform::UserConfigDirectory(), "/home/me/.config/zelvaro");
}

TEST(SystemDirs, MakeDirectoriesMakesTheMissingFoldersAndFileExistsSeesOnlyFiles)
{
    const std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "zelvaro_system_dirs";
    std::filesystem::remove_all(root);
    const std::string deep = (root / "a" / "b").string();
    EXPECT_TRUE(platform::MakeDirectories(deep));
    EXPECT_TRUE(platform::MakeDirectories(deep));  // already there
    EXPECT_FALSE(platform::FileExists(deep));
    EXPECT_TRUE(platform::FolderWritable(deep));
    const std::string file = deep + "/x.INI";
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(platform::FileExists(file));
    EXPECT_FALSE(platform::MakeDirectories(file));  // a file is in the way
    EXPECT_FALSE(platform::FolderWritable((root / "missing").string()));
    std::filesystem::remove_all(root);
}
