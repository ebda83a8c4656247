// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Directories the program keeps its own files in.

#include <string>

namespace platform {

// The directory the converted wallpaper is written to (the program's data
// directory: $XDG_DATA_HOME/zelvaro, else ~/.local/share/zelvaro), created
// when missing. No trailing slash.
std::string WindowsDirectory();

// The user's configuration folder for the program ($XDG_CONFIG_HOME/zelvaro,
// else ~/.config/zelvaro). No trailing slash; not created here.
std::string UserConfigDirectory();

// Creates `path` and the folders above it that are missing (mode 0700); true
// when it is a folder afterwards.
bool MakeDirectories(const std::string& path);

// Whether the user may create and replace files in the folder `dir`.
bool FolderWritable(const std::string& dir);

// Whether `path` names a regular file (or a link to one).
bool FileExists(const std::string& path);

}  // namespace platform

namespace platform {

// The running executable's full path (/proc/self/exe), empty when unknown.
std::string ExecutablePath();
// The user the program runs as.
unsigned UserId();

}  // namespace platform

namespace platform {

// The desktop session's display name (":0"), empty without one.
std::string DisplayName();

// The user's own runtime folder ($XDG_RUNTIME_DIR) when it is an absolute
// path to a folder that is ours and closed to everyone else, as the desktop
// makes it; empty otherwise, so nothing of ours is put where others can.
std::string RuntimeDirectory();

}  // namespace platform
