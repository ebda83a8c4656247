#pragma once
// The wallpaper side of a clock window under test: a registry in memory, a
// desktop that records, a converter that converts nothing (the window's own
// tests never reach a conversion).

#include "platform/fake/fake_desktop.h"
#include "platform/fake/memory_registry.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wallpaper_services.h"

class NoConversion : public WallConverter {
public:
    bool ConvertToBmp(const std::string&, bool, bool, const std::string&) override { return false; }
};

struct FakeWallpaperServices {
    platform::MemoryRegistry registry;
    platform::FakeDesktop desktop;
    NoConversion converter;
    WallpaperServices services{registry, desktop, converter};
};
