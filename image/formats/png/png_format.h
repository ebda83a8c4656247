// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PNG line of the format table.

#include "image/image_format.h"

extern const ImageFormat kPngFormat;
