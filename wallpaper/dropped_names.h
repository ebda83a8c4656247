// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of a dropped file's path that the file-drop component lists.

#include <string>
#include <string_view>

// The text after the last separator: "/a.b/photo.2.jpg" gives "photo.2.jpg".
std::string DroppedNameOnly(std::string_view path);

// The text after the first "." of the name part, without the dot:
// "/a.b/photo.2.jpg" gives "2.jpg"; empty when the name part has no dot.
std::string DroppedExtension(std::string_view path);
