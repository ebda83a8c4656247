// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pickers' file types: a text of description and pattern pairs, all
// separated by "|" ("Bitmap File(*.BMP)|*.BMP|画像ﾌｧｲﾙ|*.BMP;*.JPG"), and the
// match of a file name against a pattern list ("*.BMP;*.JPG"). Names match
// without regard to ASCII case: "*.BMP" lists photo.bmp as well as PHOTO.BMP.

#include <string>
#include <vector>

struct FileType {
    std::string description;
    std::string pattern;
};

// The pairs in order; a last description without a pattern gets "*".
std::vector<FileType> ParseFileTypes(const std::string& text);

// Whether `name` matches one of the ";"-separated wildcard patterns ("*" any
// run of characters, "?" one character). "*.*" matches every name, with or
// without a dot, as it always has.
bool MatchesFilePattern(const std::string& name, const std::string& patterns);

// Every spelling of the format table's names as one pattern list
// ("*.BMP;*.JPG;..."): the patterns the pickers have always shown first, the
// other common spellings of the same formats after them.
std::string ImagePatterns();

// The image picker's types as the options dialog and the tile and centre
// commands give them, and the pickers' own.
std::string ImageFileTypes();
std::string TileFileTypes();
std::string OpenBmpOwnFileTypes();
inline constexpr const char* kBmpFileTypes = "Bitmap File(*.BMP)|*.BMP";
inline constexpr const char* kOpenWavFileTypes = "Wave File(*.wav)|*.WAV|All Files(*.*)|*.*";
