// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_dialog.h"

#include "options/config_dlg.h"

bool RunOptionsDialog(ClockSettings& settings, platform::Help& help, platform::Sound& sound,
                      const std::string& mountTable, const OptionsDialogHooks& hooks)
{
    TConfigDlg dialog(help, sound, mountTable);
    dialog.Fill(ConfigValuesFrom(settings));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    CopyBackConfigValues(dialog.Values(), settings, {hooks.applyOnTop, hooks.wallChangeConfirmed});
    if (hooks.saveSettings)
        hooks.saveSettings();
    return true;
}
