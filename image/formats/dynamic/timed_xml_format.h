// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timed XML background line of the format table: a file whose root
// element is <background>, read as its picture for the current moment.

#include "image/image_format.h"

extern const ImageFormat kTimedXmlFormat;
