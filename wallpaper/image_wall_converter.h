// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The converter ApplyWallPaper uses: JPEG, GIF and TIFF through the image
// component, Photo CD through the Photo CD reader, written as BMP.

#include "wallpaper/wall_converter.h"

#include <memory>

std::unique_ptr<WallConverter> MakeImageWallConverter();
