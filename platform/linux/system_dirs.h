#pragma once
// Directories the program keeps its own files in.

#include <string>

namespace platform {

// The directory the converted wallpaper is written to (the program's data
// directory: $XDG_DATA_HOME/zelvaro, else ~/.local/share/zelvaro), created
// when missing. No trailing slash.
std::string WindowsDirectory();

}  // namespace platform

namespace platform {

// The running executable's full path (/proc/self/exe), empty when unknown.
std::string ExecutablePath();
// The user the program runs as.
unsigned UserId();

}  // namespace platform
