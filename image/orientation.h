// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Photos upright: a camera stores the picture as its sensor saw it and
// records how it must be turned to be seen upright, as one of eight values
// (1 as stored, 2 mirrored, 3 half a turn, 4 upside down mirrored, 5 turned
// a quarter and mirrored, 6 a quarter clockwise, 7 three quarters and
// mirrored, 8 a quarter anticlockwise).

#include "image/picture.h"

#include <cstdint>
#include <span>

// The orientation in an Exif block as JPEG's APP1 segment holds it ("Exif",
// two zero bytes, then a TIFF header); 1 when there is none or it is not
// one of the eight values.
int ExifOrientation(std::span<const uint8_t> app1);

// The same from an Exif block that starts at its TIFF header, as PNG's eXIf
// and WebP's EXIF chunks hold it (a block that keeps JPEG's "Exif" prefix, as
// some writers leave it, is read too).
int TiffExifOrientation(std::span<const uint8_t> tiff);

// The orientation that shows a picture a HEIF container turns by
// `anticlockwiseQuarters` quarter turns and then mirrors as `mirror` says,
// as its irot and imir boxes hold them (0: top and bottom exchanged; 1: left
// and right; -1: no mirror).
int OrientationOfTurnAndMirror(int anticlockwiseQuarters, int mirror);

// Turns the picture (8 or 24 bits a pixel) upright for the orientation;
// other depths and orientation 1 stay as they are. False, the picture
// unchanged, when the turned copy cannot be allocated.
bool MakeUpright(DibPicture& picture, int orientation);
