// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/interface_language.h"

namespace {

// "ja_JP.UTF-8@x" -> "ja"; "C.UTF-8" -> "C".
std::string LanguagePart(const std::string& locale)
{
    return locale.substr(0, locale.find_first_of("_.@"));
}

}  // namespace

InterfaceLanguage ChooseInterfaceLanguage(const std::function<const char*(const char*)>& getenv)
{
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    const std::string language = LanguagePart(locale);
    if (language.empty() || language == "C" || language == "POSIX")
        return InterfaceLanguage::Japanese;
    std::string wanted = language;
    if (const char* list = getenv("LANGUAGE"); list != nullptr && *list != '\0') {
        const std::string first = LanguagePart(std::string(list).substr(0, std::string(list).find(':')));
        if (!first.empty())
            wanted = first;
    }
    return wanted == "ja" ? InterfaceLanguage::Japanese : InterfaceLanguage::English;
}
