// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/default_wallpaper_services.h"

#include "platform/linux/desktop_factory.h"
#include "platform/linux/file_registry.h"
#include "wallpaper/image_wall_converter.h"

DefaultWallpaperServices::DefaultWallpaperServices(const std::string& windowsDir)
    : registry_(std::make_unique<platform::FileRegistry>(platform::FileRegistry::DefaultPath())),
      desktop_(platform::MakeDesktop(platform::CurrentSession(), *registry_, windowsDir)),
      converter_(MakeImageWallConverter(*registry_)), services_{*registry_, *desktop_, *converter_}
{}

DefaultWallpaperServices::~DefaultWallpaperServices() = default;
