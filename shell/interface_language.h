// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which language the windows speak. The written texts are Japanese; every
// other language the user asks for gets the English translation.

#include <functional>
#include <string>

enum class InterfaceLanguage { Japanese, English };

// The language from the environment as gettext reads it: the locale of the
// messages is the first set of LC_ALL, LC_MESSAGES and LANG; unset, "C" or
// "POSIX" keep the written texts, and so does LANGUAGE then. Otherwise the
// first entry of LANGUAGE (a ":"-separated list), when set, decides, else the
// locale: Japanese ("ja", "ja_JP.UTF-8") keeps the written texts, anything
// else is English. `getenv` returns nullptr for an unset variable.
InterfaceLanguage ChooseInterfaceLanguage(const std::function<const char*(const char*)>& getenv);
