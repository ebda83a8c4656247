// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, NoArgumentsRunTheClock)
{
    EXPECT_EQ(ChooseFromCommandLine("/usr/bin/zelvaro", {}).action, CommandLineAction::Run);
}

TEST(CommandLine, HelpAndVersionAnswerWithStatusZero)
{
    for (const char* option : {"--help", "-h"}) {
        const CommandLineChoice c = ChooseFromCommandLine("/usr/bin/zelvaro", {option});
        EXPECT_EQ(c.action, CommandLineAction::ShowHelp) << option;
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_EQ(c.text.rfind("Usage: zelvaro [--help | --version]\n", 0), 0u) << c.text;
        EXPECT_NE(c.text.find("zelvaro.INI"), std::string::npos) << c.text;
        EXPECT_NE(c.text.find("cannot open display"), std::string::npos) << c.text;
    }
    for (const char* option : {"--version", "-V"}) {
        const CommandLineChoice c = ChooseFromCommandLine("./zelvaro", {option});
        EXPECT_EQ(c.action, CommandLineAction::ShowVersion);
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_EQ(c.text, "zelvaro 1.6\n");
    }
    // A renamed copy names itself and its own settings file.
    const CommandLineChoice renamed = ChooseFromCommandLine("/opt/my.clock", {"--help"});
    EXPECT_NE(renamed.text.find("Usage: my.clock "), std::string::npos);
    EXPECT_NE(renamed.text.find("my.INI"), std::string::npos);
}

TEST(CommandLine, AnythingElseIsRefusedWithStatusTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* firstLine;
    };
    const Case cases[] = {
        {{"--bogus", "--help"}, "zelvaro: unknown option '--bogus'\n"},
        {{"--version", "junk"}, "zelvaro: unexpected argument 'junk'\n"},
        {{"-V", "--help"}, "zelvaro: unknown option '--help'\n"},
        {{"--help", "--bogus"}, "zelvaro: unknown option '--bogus'\n"},
        {{"-help"}, "zelvaro: unknown option '-help'\n"},
        {{"--version=2"}, "zelvaro: unknown option '--version=2'\n"},
        {{"picture.jpg"}, "zelvaro: unexpected argument 'picture.jpg'\n"},
        {{""}, "zelvaro: unexpected argument ''\n"},
    };
    for (const Case& c : cases) {
        const CommandLineChoice choice = ChooseFromCommandLine("/usr/bin/zelvaro", c.args);
        EXPECT_EQ(choice.action, CommandLineAction::Refuse) << c.args[0];
        EXPECT_EQ(choice.exitStatus, 2);
        EXPECT_EQ(choice.text, std::string(c.firstLine) + "Try 'zelvaro --help' for more information.\n");
    }
}
