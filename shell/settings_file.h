// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading and saving ClockSettings through a profile file.

#include "base/clock_settings.h"
#include "platform/profile_file.h"

#include <optional>
#include <string>

// The path of a file named after the executable: its directory, its file name
// up to the first ".", then `extension` (".INI", ".HLP").
// "/opt/zelvaro" gives "/opt/zelvaro.INI"; "/opt/my.clock" gives "/opt/my.INI".
std::string ProgramFilePath(const std::string& executablePath, const std::string& extension);

// Reads an integer as the settings file holds it: decimal, or hexadecimal after
// "$", "0x" or "0X"; nothing when the text does not convert to 32 bits.
std::optional<std::int32_t> ParseProfileInteger(const std::string& text);

// Fills `settings` from one read of the file (every default when the file is
// missing) and arms the chimes at its very end. A file that cannot be read
// (or is too large to be a settings file) raises ZelvaroError
// "%s を読み込めません" with the file's path and changes nothing. A time value
// that does not parse raises ZelvaroError "'%s' は時刻ではありません": the
// fields read before it keep their new values, the rest are untouched and
// `chimeArmed` is not set.
void LoadSettings(const platform::ProfileFile& file, ClockSettings& settings, bool& chimeArmed);

// Writes the 28 keys in their order, every other line of the file kept, in
// one replacement of the file; OffsetX and OffsetY come from the window's
// current place. A file that cannot be written (or read for its other lines)
// raises ZelvaroError "%s に書き込めません" with the file's path, and the
// file stays as it was; so does a path holding a line break (RefuseLineBreak).
void SaveSettings(platform::ProfileFile& file, const ClockSettings& settings, int windowLeft, int windowTop);
