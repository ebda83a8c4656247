// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HEIC pictures decoded on as many of libde265's worker threads as the
// machine has cores (up to eight). libheif drives libde265 with one worker,
// so a wavefront-coded phone photo kept one core busy and the others idle;
// this decoder takes libheif's place for HEVC and hands it the same planes.

struct HeifLibrary;

// Puts the decoder in libheif's place for every HEVC picture from now on;
// false when libde265 or libheif's plugin interface is missing, in which
// case libheif keeps decoding with its own. Safe from any thread; the
// work is done once.
bool UseThreadedHevcDecoder(const HeifLibrary& heif);

// The name libheif knows this decoder by (`decoder_id`).
inline constexpr const char* kThreadedHevcDecoderId = "zelvaro-de265-threads";
