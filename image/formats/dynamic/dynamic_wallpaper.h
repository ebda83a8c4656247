// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dynamic wallpaper on disk: a dynamic HEIC file or a timed XML
// background, its schedule, and its pictures decoded one at a time.

#include "image/formats/dynamic/dynamic_moment.h"
#include "image/formats/dynamic/schedule_read.h"
#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DynamicWallpaper {
    std::string Path;
    DynamicSchedule Schedule;
    // A HEIC file's pictures are its top-level pictures; a timed XML
    // background's are these files.
    bool Heif = false;
    std::vector<std::string> PictureFiles;
};

struct DynamicWallpaperRead {
    // False for a file that is no dynamic wallpaper (a plain photo, any other file).
    bool Dynamic = false;
    // With Dynamic: the wallpaper, or why its schedule is refused (Reason).
    std::optional<DynamicWallpaper> Wallpaper;
    std::string Reason;
};

// Names a timed XML background may have (".xml", in any case); the rotation
// and the pickers list them beside the pictures.
bool IsTimedXmlName(std::string_view name);

// Reads the schedule only; no picture is decoded. With `heifBytes`, a
// dynamic HEIC file's bytes are left there for its pictures' decoding.
DynamicWallpaperRead ReadDynamicWallpaper(const ImageFile& file, std::vector<uint8_t>* heifBytes = nullptr);

// One picture of the wallpaper as a 24-bit sRGB picture, decoded no larger
// than `hint` needs. `heifBytes` are the HEIC file's bytes when the caller
// already holds them (one read for two pictures); empty, the file is read.
ImageRead DecodeDynamicPicture(const DynamicWallpaper& wallpaper, int picture, const ScaleHint& hint,
                               std::span<const uint8_t> heifBytes = {});

// The picture for a moment: the two pictures around it, decoded no larger
// than `hint` needs, the second made the first's size, cross-faded.
ImageRead DynamicPictureAt(const DynamicWallpaper& wallpaper, const DynamicMoment& moment, const ScaleHint& hint,
                           std::span<const uint8_t> heifBytes = {});

// The HEIF reader's first look: for the bytes of a dynamic HEIC file its
// picture for the current moment, or its schedule's refusal; nothing for a
// plain HEIF file.
std::optional<ImageRead> DecodeIfDynamicHeif(std::span<const uint8_t> bytes, const ScaleHint& hint);
