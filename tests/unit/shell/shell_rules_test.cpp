// SPDX-License-Identifier: GPL-3.0-or-later
// Placement into the screen, the screen-saver item, help topics and the
// name one running copy holds.

#include "shell/help_topics.h"
#include "shell/instance_name.h"
#include "shell/saver_toggle.h"
#include "shell/window_placement.h"
#include "shell/window_system.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WindowPlacement, SavedPlaceIsPulledIntoTheScreen)
{
    const auto at = [](int x, int y) { return ClampIntoScreen(x, y, 173, 39, 800, 600); };
    EXPECT_EQ(at(5000, 10).left, 627);
    EXPECT_EQ(at(5000, 10).top, 10);
    EXPECT_EQ(at(10, 5000).top, 561);
    EXPECT_EQ(at(-40, -3).left, 0);
    EXPECT_EQ(at(-40, -3).top, 0);
    EXPECT_EQ(at(627, 561).left, 627);  // flush with the corner stays
    EXPECT_EQ(at(627, 561).top, 561);
    // A window wider than the screen sits at 0.
    EXPECT_EQ(ClampIntoScreen(50, 0, 173, 39, 100, 600).left, 0);
}

// Only the user's move replaces the saved place: the window manager's shift at
// start (saved 0,0, shown at -11,0 across two monitors) and a pull onto a
// smaller screen keep it.
TEST(WindowPlacement, OnlyTheUsersMoveIsSaved)
{
    struct Case {
        WindowPlace saved, shown;
        bool placeKnown, movedByUser;
        int left, top;  // expected
    } cases[] = {
        {{0, 0}, {-11, 0}, true, false, 0, 0},       {{5000, -20}, {627, 0}, true, false, 5000, -20},
        {{0, 0}, {-11, 0}, true, true, -11, 0},      {{5000, -20}, {20, 30}, true, true, 20, 30},
        {{100, 200}, {0, 0}, false, true, 100, 200},  // native Wayland: the place reads 0,0
    };
    for (const Case& c : cases) {
        const WindowPlace p = PlaceToSave(c.saved, c.shown, c.placeKnown, c.movedByUser);
        EXPECT_EQ(p.left, c.left) << c.shown.left << " " << c.movedByUser;
        EXPECT_EQ(p.top, c.top) << c.shown.left << " " << c.movedByUser;
    }
}

TEST(WindowSystem, XcbWhereADisplayIsNamedElseNativeWayland)
{
    EXPECT_STREQ(QtPlatformFor(":0", "wayland-1"), "xcb");  // Xwayland beside the compositor
    EXPECT_STREQ(QtPlatformFor(":0", nullptr), "xcb");
    EXPECT_STREQ(QtPlatformFor(nullptr, "wayland-1"), "wayland");
    EXPECT_STREQ(QtPlatformFor("", "wayland-1"), "wayland");
    EXPECT_STREQ(QtPlatformFor(nullptr, ""), "xcb");
    EXPECT_TRUE(WindowPlaceKnown("xcb"));
    EXPECT_TRUE(WindowPlaceKnown("offscreen"));
    EXPECT_FALSE(WindowPlaceKnown("wayland"));
    EXPECT_FALSE(WindowPlaceKnown("wayland-egl"));
    // The line said when the display cannot be opened names the one asked for.
    EXPECT_EQ(NoDisplayLine("/usr/bin/zelvaro", ":7", nullptr), "zelvaro: cannot open display :7\n");
    EXPECT_EQ(NoDisplayLine("zelvaro", nullptr, "wayland-1"), "zelvaro: cannot open display wayland-1 (Wayland)\n");
    EXPECT_EQ(NoDisplayLine("./my.clock", "", ""),
              "my.clock: cannot open display: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
}

TEST(WindowPlacement, ExtremeSavedValuesDoNotWrap)
{
    // INT_MAX + width overflows 32 bits; the window must still land on screen.
    const WindowPlace p = ClampIntoScreen(INT_MAX, INT_MAX, 173, 39, 800, 600);
    EXPECT_EQ(p.left, 627);
    EXPECT_EQ(p.top, 561);
    const WindowPlace q = ClampIntoScreen(INT_MIN, INT_MIN, 173, 39, 800, 600);
    EXPECT_EQ(q.left, 0);
    EXPECT_EQ(q.top, 0);
}

TEST(SaverToggle, ItemFollowsAndSwitchesTheSaver)
{
    EXPECT_TRUE(SaverStopChecked(false));
    EXPECT_FALSE(SaverStopChecked(true));
    // Unchecked (saver on): switches it off and checks the item.
    EXPECT_FALSE(SaverStopClicked(false).saverActive);
    EXPECT_TRUE(SaverStopClicked(false).checked);
    // Checked (saver off): switches it on again and unchecks.
    EXPECT_TRUE(SaverStopClicked(true).saverActive);
    EXPECT_FALSE(SaverStopClicked(true).checked);
}

TEST(HelpTopics, FindsTheSectionOfAContextNumber)
{
    const std::string doc = "<body><section id=\"ctx-0\"><h2>目次</h2></section>\n"
                            "<section id=\"ctx-15\"><p>ｱ ｲ ｺ ﾝ</p></section>"
                            "<section id=\"ctx-1\">one</section></body>";
    EXPECT_EQ(HelpTopic(doc, 0).value_or("?"), "<h2>目次</h2>");
    EXPECT_EQ(HelpTopic(doc, 15).value_or("?"), "<p>ｱ ｲ ｺ ﾝ</p>");
    EXPECT_EQ(HelpTopic(doc, 1).value_or("?"), "one");  // not the opening of ctx-15
    EXPECT_FALSE(HelpTopic(doc, 5));
    EXPECT_FALSE(HelpTopic("", 0));
    EXPECT_EQ(HelpTopic("<section id=\"ctx-3\">cut", 3).value_or("?"), "cut");
}

TEST(InstanceName, FollowsTheFileNameTheUserAndTheDisplay)
{
    EXPECT_EQ(InstanceName("/opt/a/zelvaro", 1000, ":0"), InstanceName("/home/b/zelvaro", 1000, ":0"));
    EXPECT_NE(InstanceName("/opt/zelvaro", 1000, ":0"), InstanceName("/opt/zelvaro2", 1000, ":0"));
    EXPECT_NE(InstanceName("/opt/zelvaro", 1000, ":0"), InstanceName("/opt/zelvaro", 1001, ":0"));
    EXPECT_NE(InstanceName("/opt/zelvaro", 1000, ":0"), InstanceName("/opt/zelvaro", 1000, ":1"));
    // One display, however it is spelt; another host is another display.
    for (const char* spelling : {":92.0", "unix:92", "unix:92.1", "localhost:92", ":092"})
        EXPECT_EQ(InstanceName("/opt/zelvaro", 1000, spelling), InstanceName("/opt/zelvaro", 1000, ":92")) << spelling;
    EXPECT_NE(InstanceName("/opt/zelvaro", 1000, "otherhost:92"), InstanceName("/opt/zelvaro", 1000, ":92"));
    EXPECT_NE(InstanceName("/opt/zelvaro", 1000, ":920"), InstanceName("/opt/zelvaro", 1000, ":92"));
    const std::string a = InstanceName("/x/" + std::string(200, 'a') + "1", 0, ":0");
    const std::string b = InstanceName("/x/" + std::string(200, 'a') + "2", 0, ":0");
    EXPECT_LE(a.size(), 100u);
    EXPECT_NE(a, b);
}

}  // namespace
