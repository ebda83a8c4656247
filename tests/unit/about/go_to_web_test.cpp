// SPDX-License-Identifier: GPL-3.0-or-later
// The web and mail launcher over a browser and a launcher the test sets, and
// the memory line's figure.

#include "about/about_texts.h"
#include "about/go_to_web.h"
#include "platform/fake/fake_default_browser.h"
#include "platform/fake/fake_launcher.h"

#include <gtest/gtest.h>

namespace {

struct GoToWebFixture : ::testing::Test {
    platform::FakeDefaultBrowser browser;
    platform::FakeLauncher launcher;
    TGoToWeb web{browser, launcher};

    GoToWebFixture()
    {
        web.Url = "https://zelvaro.example.org/";
        web.EMail = "zelvaro@example.org";
    }
};

TEST_F(GoToWebFixture, HomePageOpensWithTheParametersFirstAndTheAddressLast)
{
    browser.commandLine = R"("C:\Program Files\Browser\browser.exe" -nohome "%1")";
    EXPECT_TRUE(web.OpenUrl());
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, R"(C:\Program Files\Browser\browser.exe)");
    EXPECT_EQ(launcher.started[0].arguments, (std::vector<std::string>{"-nohome", "https://zelvaro.example.org/"}));

    browser.commandLine = R"(browser --profile "/home/a b" %u)";
    web.Url = "https://example.org/a page";
    EXPECT_TRUE(web.OpenUrl());
    EXPECT_EQ(launcher.started[1].arguments,
              (std::vector<std::string>{"--profile", "/home/a b", "https://example.org/a page"}));
}

TEST_F(GoToWebFixture, MailGoesToTheDesktopOpenerOnlyWhenABrowserIsKnown)
{
    browser.commandLine = "firefox-esr %u";
    EXPECT_TRUE(web.SendMail());
    EXPECT_EQ(launcher.opened, (std::vector<std::string>{"mailto:zelvaro@example.org"}));
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(GoToWebFixture, NoBrowserOrAFailedStartGivesFalse)
{
    browser.commandLine = "";
    EXPECT_FALSE(web.OpenUrl());
    EXPECT_FALSE(web.SendMail());
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(launcher.opened.empty());

    browser.commandLine = "firefox %u";
    launcher.succeed = false;
    EXPECT_FALSE(web.OpenUrl());
    EXPECT_FALSE(web.SendMail());
}

TEST(AboutTexts, MemoryLineInWholeKilobytes)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {32ull << 20, "32768 KB"},
        {(32ull << 20) + 1023, "32768 KB"},
        {1023, "0 KB"},
        {6ull << 30, "6291456 KB"},  // beyond 32 bits
        {0, "0 KB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(PhysicalMemoryText(bytes), text) << bytes;
}

}  // namespace
