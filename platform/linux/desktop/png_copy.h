// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PNG copy of a wallpaper for desktops that read files through
// gdk-pixbuf, written with libpng at a fast compression level: the copy lives
// only until the next change, so speed matters more than size.

#include "platform/linux/desktop/desktop_bitmap.h"

#include <string>

namespace platform {

// Writes the bitmap as an 8-bit RGB PNG. False on any failure (the file may
// then be left half-written: the caller removes it).
bool WritePngCopy(const std::string& path, const DesktopBitmap& bitmap);

}  // namespace platform
