// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services of a clock window under test beside the basic fakes: the
// wallpaper side (a registry in memory, a desktop that records, a converter
// that converts nothing: the window's own tests never reach a conversion),
// and the machine's facts with the about box's browser and launcher.

#include "about/about_services.h"
#include "platform/fake/fake_default_browser.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_launcher.h"
#include "platform/fake/fake_process_memory.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_registry.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wallpaper_services.h"

class NoConversion : public WallConverter {
public:
    bool ConvertToBmp(const ImageFile&, const ImageFormat*, bool, const std::string&) override { return false; }
};

struct FakeWallpaperServices {
    platform::MemoryRegistry registry;
    platform::FakeDesktop desktop;
    NoConversion converter;
    platform::FakeProcessMemory memory;
    WallpaperServices services{registry, desktop, converter, memory};
};

struct FakeAboutServices {
    platform::FakeSystemFacts facts;
    platform::FakeDefaultBrowser browser;
    platform::FakeLauncher launcher;
    AboutServices services{browser, launcher, facts};
};
