// SPDX-License-Identifier: GPL-3.0-or-later
// The default browser found through the MIME associations in scratch XDG
// directories, as `xdg-mime query default` would find it.

#include "platform/linux/session/xdg_default_browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class DefaultBrowserTest : public ::testing::Test {
protected:
    fs::path root;
    platform::XdgDirs dirs;

    void SetUp() override
    {
        char pattern[] = "/tmp/zelvaro-xdg.XXXXXX";
        root = mkdtemp(pattern);
        dirs.configHome = root / "config";
        dirs.configDirs = {root / "etc-xdg"};
        dirs.dataHome = root / "data";
        dirs.dataDirs = {root / "share1", root / "share2"};
        dirs.desktops = {"xfce"};
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    void Entry(const fs::path& appDir, const std::string& relative, const std::string& exec, bool hidden = false)
    {
        Write(appDir / relative, "[Desktop Entry]\nType=Application\nName=X\nExec=" + exec + "\n" +
                                     (hidden ? "Hidden=true\n" : "") + "[Desktop Action new]\nExec=wrong\n");
    }
    std::string Found() const { return platform::XdgDefaultBrowser(dirs).CommandLine(); }
};

TEST_F(DefaultBrowserTest, UserListBeforeSystemListAndHttpBeforeHtml)
{
    const fs::path system = root / "share2/applications";
    Entry(system, "sysweb.desktop", "sysweb %u");
    Entry(system, "userweb.desktop", "userweb --new %U");
    Entry(system, "htmlview.desktop", "htmlview %f");
    EXPECT_EQ(Found(), "");

    Write(system / "mimeapps.list", "[Default Applications]\ntext/html=htmlview.desktop\n");
    EXPECT_EQ(Found(), "htmlview %f");  // no http handler: the text/html one
    Write(root / "etc-xdg/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=sysweb.desktop\n");
    EXPECT_EQ(Found(), "sysweb %u");
    Write(dirs.configHome + "/mimeapps.list",
          "# mine\n[Added Associations]\nx-scheme-handler/http=htmlview.desktop;\n"
          "[Default Applications]\nx-scheme-handler/http = missing.desktop;userweb.desktop;\n");
    EXPECT_EQ(Found(), "userweb --new %U");  // the first listed entry is not installed
    Write(dirs.configHome + "/xfce-mimeapps.list", "[Default Applications]\nx-scheme-handler/http=sysweb.desktop\n");
    EXPECT_EQ(Found(), "sysweb %u");  // the desktop's own list comes first
}

TEST_F(DefaultBrowserTest, EntriesInTheirPlacesAndForms)
{
    const fs::path user = dirs.dataHome + "/applications";
    Write(dirs.configHome + "/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=vendor-web.desktop\n");
    Entry(root / "share1/applications", "vendor/web.desktop", R"("/opt/a\sb/web" %u)");
    EXPECT_EQ(Found(), R"("/opt/a b/web" %u)");  // vendor/ sub-folder, \s unescaped

    Entry(user, "vendor-web.desktop", "hidden-web %u", true);
    EXPECT_EQ(Found(), "");  // the user's hidden entry masks the system's

    Write(dirs.configHome + "/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=../../evil.desktop\n");
    Write(root / "evil.desktop", "[Desktop Entry]\nExec=evil\n");
    EXPECT_EQ(Found(), "");  // a desktop id is a name, never a path
}

TEST_F(DefaultBrowserTest, OlderDefaultsListAsLastResort)
{
    Entry(root / "share1/applications", "old.desktop", "oldweb %u");
    Write(root / "share1/applications/defaults.list", "[Default Applications]\ntext/html=old.desktop\n");
    EXPECT_EQ(Found(), "oldweb %u");
}

}  // namespace

TEST_F(DefaultBrowserTest, SpecialFilesInPlaceOfListsAndEntriesAreSkipped)
{
    // A FIFO with no writer would hold a blocking open for good; the alarm
    // ends the test instead of letting it hang.
    ::alarm(20);
    const fs::path system = root / "share2/applications";
    Entry(system, "web.desktop", "web %u");
    Write(system / "mimeapps.list", "[Default Applications]\nx-scheme-handler/http=web.desktop\n");
    fs::create_directories(root / "config");
    for (const char* kind : {"fifo", "folder"}) {
        for (const fs::path& list : {root / "config/mimeapps.list", root / "config/xfce-mimeapps.list"}) {
            if (std::string(kind) == "fifo")
                ASSERT_EQ(::mkfifo(list.c_str(), 0644), 0);
            else
                fs::create_directory(list);
        }
        EXPECT_EQ(Found(), "web %u") << kind;
        fs::remove(root / "config/mimeapps.list");
        fs::remove(root / "config/xfce-mimeapps.list");
    }
    // A FIFO named like the chosen entry is no entry.
    fs::remove(system / "web.desktop");
    ASSERT_EQ(::mkfifo((system / "web.desktop").c_str(), 0644), 0);
    EXPECT_EQ(Found(), "");
    ::alarm(0);
}
