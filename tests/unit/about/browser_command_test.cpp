// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's command line split into program and extra parameters.

#include "about/browser_command.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    const char* program;
    const char* parameters;
};

TEST(BrowserCommand, SplitsProgramAndParameters)
{
    const SplitCase cases[] = {
        // Lines naming a DOS program: everything up to its name is the program.
        {R"("C:\Program Files\Browser\browser.exe" -nohome "%1")", R"(C:\Program Files\Browser\browser.exe)",
         "-nohome"},
        {R"(C:\PROGRA~1\NETSCAPE\NETSCAPE.EXE)", R"(C:\PROGRA~1\NETSCAPE\NETSCAPE.EXE)", ""},
        {R"(C:\Program Files\Web\web.exe %1)", R"(C:\Program Files\Web\web.exe)", ""},
        {R"(C:\TOOLS\OPEN.BAT -a "%1" -b)", R"(C:\TOOLS\OPEN.BAT)", "-a -b"},
        {R"(c:\dos\view.com)", R"(c:\dos\view.com)", ""},
        // Desktop entries: the first word, unquoted, and the rest without field codes.
        {"firefox-esr %u", "firefox-esr", ""},
        {"/usr/bin/chromium --new-window %U", "/usr/bin/chromium", "--new-window"},
        {R"("/opt/My Browser/run" --private %f --x)", "/opt/My Browser/run", "--private --x"},
        {R"(browser --profile "/home/a b/p" %U)", "browser", R"(--profile "/home/a b/p")"},
        {R"("/opt/q\"uote/b" %u)", R"(/opt/q"uote/b)", ""},
        // An address ending in ".com" inside a native line is no program name.
        {"chromium --app=https://example.com/x %U", "chromium", "--app=https://example.com/x"},
        {"", "", ""},
        {"   ", "", ""},
    };
    for (const SplitCase& c : cases) {
        const BrowserCommand command = SplitBrowserCommand(c.line);
        EXPECT_EQ(command.program, c.program) << c.line;
        EXPECT_EQ(command.parameters, c.parameters) << c.line;
    }
}

TEST(BrowserCommand, JoinedWordsSplitBackUnchanged)
{
    const std::vector<std::vector<std::string>> lists = {
        {"-a", "b c", R"(q"uote)", R"(back\slash)", "$HOME", ""},
        {"--one"},
        {},
    };
    for (const auto& words : lists)
        EXPECT_EQ(SplitCommandWords(JoinCommandWords(words)), words);
}

}  // namespace
