// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a wallpaper command the user gave has nothing to show, told so that
// the user knows what to do: no folder or picture set, the one set is gone,
// or the folder holds no picture. The commands raise these as errors.

#include "wallpaper/wall_converter.h"

#include <cstddef>
#include <string>

// For "next wallpaper": `folder` is the folder the rotation chose for now
// and found no picture in; `brokenLinks` the links to pictures in it that
// lead nowhere. Raises ZelvaroError naming the folder.
[[noreturn]] void RefuseEmptyWallFolder(const std::string& folder, std::size_t brokenLinks = 0);

// The folder holds picture names, but each is a link that leads nowhere:
// what to tell the user, naming the folder.
WallNotice BrokenLinksNotice(const std::string& folder);

// For the panic button: raises ZelvaroError when no panic picture is set. A
// set file that cannot be shown is told by the picture's reader.
void RefuseUnsetPanicFile(const std::string& file);
