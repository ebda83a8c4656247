// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box's texts: the clock window's values, the program's addresses
// and the memory line's format.

#include "base/translatable.h"

#include <cstdint>
#include <string>

// What the clock window gives its about box.
inline constexpr const char* kAboutAppName = "Zelvaro";
inline constexpr const char* kAboutCaption = QT_TRANSLATE_NOOP("TfrmClock", "about Zelvaro");
inline constexpr const char* kAboutTargetOS = "for Linux    version 1.6";
inline constexpr const char* kAboutCopyright = "Copyright (C) 2026 the Zelvaro developers";
inline constexpr const char* kAboutExtraInfo = "The Zelvaro Project";

// The component's defaults.
inline constexpr const char* kDefaultPhysicalMem = "Physical Memory Available to Linux:";
inline constexpr const char* kDefaultSystemRes = "System Resources:";
inline constexpr const char* kDefaultTargetOS = "Linux";

// The program's home page and contact address.
inline constexpr const char* kHomePageUrl = "https://zelvaro.example.org/";
inline constexpr const char* kContactEMail = "zelvaro@example.org";

// The memory line: whole kilobytes, remainder dropped ("32768 KB" for 32 MB).
std::string PhysicalMemoryText(std::uint64_t bytes);
