// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/interface_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

TEST(InterfaceLanguage, JapaneseOrUnsetKeepTheWrittenTextsEveryOtherLanguageIsEnglish)
{
    using L = InterfaceLanguage;
    struct Case {
        std::map<std::string, std::string> env;
        L expected;
    };
    const Case cases[] = {
        {{}, L::Japanese},
        {{{"LANG", "C"}}, L::Japanese},
        {{{"LANG", "C.UTF-8"}}, L::Japanese},
        {{{"LANG", "POSIX"}}, L::Japanese},
        {{{"LANG", ""}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}}, L::Japanese},
        {{{"LANG", "ja"}}, L::Japanese},
        {{{"LANG", "en_US.UTF-8"}}, L::English},
        {{{"LANG", "de_DE.UTF-8"}}, L::English},
        // LC_ALL before LC_MESSAGES before LANG.
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, L::English},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}}, L::Japanese},
        {{{"LANG", "en_US.UTF-8"}, {"LC_ALL", "C"}}, L::Japanese},
        // LANGUAGE's first entry decides, unless the locale is C.
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ja:en"}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "en_GB:ja"}}, L::English},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "en"}}, L::Japanese},
        {{{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", ""}}, L::Japanese},
    };
    for (const Case& c : cases) {
        const auto getenv = [&](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        std::string shown;
        for (const auto& [k, v] : c.env)
            shown += k + "=" + v + " ";
        EXPECT_EQ(ChooseInterfaceLanguage(getenv), c.expected) << shown;
    }
}
