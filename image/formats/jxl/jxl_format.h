// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The JPEG XL line of the format table.

#include "image/image_format.h"

extern const ImageFormat kJxlFormat;
