// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the pickers make of a path: the folder they open in, and what a name
// typed into their file-name field asks for.

#include <string>
#include <vector>

// Whether `path` names a folder (or a link to one).
bool IsFolder(const std::string& path);

// The folder a picker opens in: the folder `current` names, or the folder
// of the file it names (the file itself need not exist), else the first of
// `fallbacks` that is a folder; empty when none is, and the picker stays
// where it is.
std::string PickerStartFolder(const std::string& current, const std::vector<std::string>& fallbacks);

enum class TypedNameKind { Nothing, Folder, Pattern, File };

struct TypedName {
    TypedNameKind kind = TypedNameKind::Nothing;
    // Folder: the folder to open. Pattern: the folder to open first (empty:
    // stay). File: the file's full path.
    std::string folder;
    std::string pattern;  // Pattern: the patterns ("*.jpg;*.png")
    std::string file;     // File: the full path, whether or not it exists
    bool exists = false;  // File: the file is there
};

// A name typed into a picker's field while it shows `directory`: a name or a
// path (absolute, "~/" for the home folder `home`, or relative) of a folder
// or a file, or patterns with "*" or "?" in their last part, which may stand
// after a folder's path ("/photos/*.jpg"). Blanks around it are dropped.
TypedName ReadTypedName(const std::string& typed, const std::string& directory, const std::string& home);

// Whether the file at `path` is a picture as the readers see it: its name has
// a picture's extension, or (a name without one: "photo", "photo.txt") its
// first bytes are a picture's. A file the name claims but whose bytes are
// damaged counts: its reader says what is wrong with it.
bool IsPictureFile(const std::string& path);
