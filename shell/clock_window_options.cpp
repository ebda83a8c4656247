// SPDX-License-Identifier: GPL-3.0-or-later
// The options command and the tile and centre commands of the clock window.

#include "base/ui/error_handler.h"
#include "options/file_types.h"
#include "options/open_bmp.h"
#include "options/options_dialog.h"
#include "options/registry_enhanced.h"
#include "platform/wallpaper_mode.h"
#include "shell/clock_window.h"
#include "shell/settings_file.h"
#include "wallpaper/wallpaper_manager.h"

#include <algorithm>

void TfrmClock::ShowOptionsDialog()
{
    ErrorHandler::Run([this] {
        OptionsDialogHooks hooks;
        hooks.applyOnTop = [this] { ApplyOnTop(); };
        hooks.wallChangeConfirmed = [this](bool wallChangeWasOn) { Wallpaper->OptionsConfirmed(wallChangeWasOn); };
        // The new values are in place by now: the sounds they name are
        // decoded before the save, which may fail and leave them in memory.
        hooks.saveSettings = [this] {
            ReloadSounds();
            // The face follows a changed 12/24-hour choice at once.
            lblClock->setText(QString::fromStdString(ClockText(services_.clock.Now(), ClockSettings.Clock24)));
            SaveSettings(services_.profile, ClockSettings, x(), y());
        };
        // Both values, so every desktop reading either one agrees.
        hooks.readWallpaperDisplay = [this] {
            return static_cast<int>(platform::WallpaperModeOf(services_.wallpaper.registry));
        };
        hooks.writeWallpaperDisplay = [this](int display) {
            const auto values = platform::RegistryValuesFor(
                static_cast<platform::WallpaperMode>(std::clamp(display, 0, 5)));
            RegistryEnhanced1->WriteRegValue("WallpaperStyle", std::string(values.style));
            RegistryEnhanced1->WriteRegValue("TileWallPaper", std::string(values.tile));
        };
        RunOptionsDialog(ClockSettings, services_.help, services_.sound, services_.mounts.Text(), hooks);
    });
}

void TfrmClock::K4Click()
{
    PickWallPaper("1");
}

void TfrmClock::K5Click()
{
    PickWallPaper("0");
}

void TfrmClock::PickWallPaper(const char* tileValue)
{
    ErrorHandler::Run([this, tileValue] {
        TfrmOpenBmp picker(services_.mounts.Text());
        picker.SetFileTypes(TileFileTypes());
        picker.OpenNear(std::string(), QStandardPaths::PicturesLocation);
        if (picker.exec() != QDialog::Accepted)
            return;
        // Written before the file is looked at: an OK without a usable file
        // still changes the tiling.
        // The tile and centre commands choose their mode over any other.
        RegistryEnhanced1->WriteRegValue("WallpaperStyle", std::string("0"));
        RegistryEnhanced1->WriteRegValue("TileWallPaper", std::string(tileValue));
        Wallpaper->ApplyWallPaper(picker.FileName());
    });
}
