// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_dialog.h"

#include "options/config_dlg.h"

bool RunOptionsDialog(ClockSettings& settings, platform::Help& help, platform::Sound& sound,
                      const std::string& mountTable, const OptionsDialogHooks& hooks, platform::ProcessMemory& memory)
{
    TConfigDlg dialog(help, sound, mountTable, nullptr, memory);
    dialog.SetSoundFolder(hooks.soundFolder);
    ConfigValues values = ConfigValuesFrom(settings);
    if (hooks.readWallpaperDisplay)
        values.WallpaperDisplay = hooks.readWallpaperDisplay();
    dialog.Fill(values);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const ConfigValues chosen = dialog.Values();
    if (hooks.writeWallpaperDisplay)
        hooks.writeWallpaperDisplay(chosen.WallpaperDisplay);
    CopyBackConfigValues(chosen, settings, {hooks.applyOnTop, hooks.wallChangeConfirmed});
    if (hooks.saveSettings)
        hooks.saveSettings();
    return true;
}
