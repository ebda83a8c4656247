// SPDX-License-Identifier: GPL-3.0-or-later
// The help file: a topic for every help number the program uses, each linked
// from the contents page, every link leading to a topic, no number twice.

#include "shell/help_topics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The fragments in the order the build joins them.
std::string JoinedHelp(const fs::path& folder = ZELVARO_HELP_DIR)
{
    std::vector<fs::path> fragments;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".html")
            fragments.push_back(entry.path());
    std::sort(fragments.begin(), fragments.end());
    std::string document;
    for (const fs::path& fragment : fragments) {
        std::ifstream in(fragment);
        std::stringstream text;
        text << in.rdbuf();
        document += text.str() + "\n";
    }
    return document;
}

std::multiset<int> Numbers(const std::string& text, const std::regex& pattern)
{
    std::multiset<int> numbers;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        numbers.insert(std::stoi((*it)[1]));
    return numbers;
}

bool FragmentPresent(const char* name)
{
    return fs::exists(fs::path(ZELVARO_HELP_DIR) / name);
}

TEST(HelpFile, EveryHelpNumberHasItsTopicLinkedFromTheContents)
{
    const std::string document = JoinedHelp();
    const std::string contents = HelpTopic(document, kHelpContents).value_or("");
    ASSERT_FALSE(contents.empty());
    const std::multiset<int> sections = Numbers(document, std::regex(R"(<section id="ctx-(\d+)\")"));
    const std::multiset<int> linkedFromContents = Numbers(contents, std::regex(R"(href="#ctx-(\d+)\")"));

    // The clock window, its menu, the alarm, calendar, options, information
    // and about dialogs. A topic written with its dialog is checked once the
    // dialog's fragment is in the folder.
    struct Number {
        int context;
        const char* fragment;
    };
    const Number used[] = {{5, "shell.html"},    {15, "shell.html"}, {16, "shell.html"}, {17, "shell.html"},
                           {19, "shell.html"},   {20, "shell.html"}, {34, "shell.html"}, {28, "calendar.html"},
                           {29, "alarm.html"},   {36, "alarm.html"}, {37, "alarm.html"}, {31, "options.html"},
                           {35, "sysinfo.html"}, {21, "shell.html"}, {22, "shell.html"}, {23, "shell.html"},
                           {24, "shell.html"}};
    for (const Number& n : used) {
        EXPECT_EQ(linkedFromContents.count(n.context), 1u) << "contents does not link topic " << n.context;
        if (FragmentPresent(n.fragment)) {
            EXPECT_EQ(sections.count(n.context), 1u) << "topic " << n.context << " missing or written twice";
        }
    }
    // Every dialog that answers F1 has its topic among those.
    for (const char* dialog :
         {"TAlarmSetDlg", "TMsgDlg", "TCalendarDlg", "TConfigDlg", "TfrmInfoDlg", "TfrmAboutDlg"}) {
        const int context = DialogHelpContext(dialog);
        EXPECT_TRUE(std::any_of(std::begin(used), std::end(used), [&](const Number& n) {
            return n.context == context;
        })) << dialog;
    }
    // No topic is left out of the contents, and no link leads nowhere.
    for (int section : sections)
        if (section != kHelpContents) {
            EXPECT_GE(linkedFromContents.count(section), 1u) << "topic " << section << " not in the contents";
        }
    for (int target : Numbers(document, std::regex(R"(href="#ctx-(\d+)\")"))) {
        const bool pending = (target == 31 && !FragmentPresent("options.html")) ||
                             (target == 35 && !FragmentPresent("sysinfo.html"));
        if (!pending) {
            EXPECT_EQ(sections.count(target), 1u) << "a link leads to missing topic " << target;
        }
    }
}

// F1 on any item of the command menu opens a page of its own, in both
// languages: none falls back to the menu's general page.
TEST(HelpFile, EveryMenuItemHasAPageOfItsOwnInBothLanguages)
{
    const char* items[] = {"pmnuAlarmSet",  "pmnuAlarmOff", "K3", "K4", "K5",       "pmnuSaverOn", "pmnuWallPause",
                           "pmnuSaverStop", "N6",           "N8", "K2", "pmnuIcon", "N3",          "About1",
                           "pmnuQuit"};
    const int menuPage = 34;
    std::set<int> seen;
    for (const fs::path& folder : {fs::path(ZELVARO_HELP_DIR), fs::path(ZELVARO_HELP_DIR) / "en"}) {
        const std::string document = JoinedHelp(folder);
        for (const char* item : items) {
            const int context = MenuHelpContext(item);
            EXPECT_GE(context, 0) << item;
            EXPECT_NE(context, menuPage) << item;
            EXPECT_TRUE(HelpTopic(document, context).has_value()) << folder << ": " << item;
            seen.insert(context);
        }
    }
    EXPECT_EQ(seen.size(), std::size(items)) << "two items share a page";
    EXPECT_EQ(MenuHelpContext("N7"), -1);  // a separator
}

}  // namespace
