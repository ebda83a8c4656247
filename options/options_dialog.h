// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options command: fills the options dialog from the settings, shows it
// modally and, only after OK, copies the values back, applies the two
// settings that act at once and saves the whole record. Cancel, Esc and the
// close box change nothing, in memory or on disk.

#include "options/config_values.h"
#include "platform/help.h"
#include "platform/process_memory.h"
#include "platform/sound.h"

#include <functional>
#include <string>

struct OptionsDialogHooks {
    // Sets the clock window's stacking from OnTop.
    std::function<void()> applyOnTop;
    // The rotation follows WallChangeSw (the pause item, the next change).
    std::function<void(bool wallChangeWasOn)> wallChangeConfirmed;
    // Writes the whole settings file; a failure raises ZelvaroError, and the
    // values copied back stay in memory.
    std::function<void()> saveSettings;
    // How the wallpaper fills the screen ("表示方法", kept in the registry):
    // read when the dialog opens, written after OK.
    std::function<int()> readWallpaperDisplay;
    std::function<void(int)> writeWallpaperDisplay;
    // The folder of the sounds that ship: the sound pickers open there when
    // their field is empty.
    std::string soundFolder;
};

// True when the dialog closed with OK.
// `memory` gets back what the pickers' previews let go.
bool RunOptionsDialog(ClockSettings& settings, platform::Help& help, platform::Sound& sound,
                      const std::string& mountTable, const OptionsDialogHooks& hooks,
                      platform::ProcessMemory& memory = platform::KeptProcessMemory());
