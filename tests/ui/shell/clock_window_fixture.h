// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock window over fakes, with the later commands recorded.

#include "base/ui/error_handler.h"
#include "base/zelvaro_error.h"
#include "fake_window_services.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_clock_jump_watch.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_mount_table.h"
#include "platform/fake/fake_screen_saver.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_window_manager.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/clock_window.h"
#include "wallpaper/wallpaper_manager.h"

#include <QStringList>

#include <functional>
#include <memory>

class RecordingClock : public TfrmClock {
public:
    using TfrmClock::TfrmClock;
    QStringList calls;
    std::function<void()> onWallDue;

    void DoCalendar() override { calls << "DoCalendar"; }
    void pmnuAlarmSetClick() override { calls << "pmnuAlarmSetClick"; }
    void ShowOptionsDialog() override { calls << "ShowOptionsDialog"; }
    void About1Click() override { calls << "About1Click"; }
    void N8Click() override { calls << "N8Click"; }
    void SpeedButton2MouseDown(Qt::MouseButton b) override { calls << QString("PanicDown%1").arg(int(b)); }
    void SpeedButton2Click() override { calls << "PanicClick"; }
    void SpeedButton2MouseUp(Qt::MouseButton b) override { calls << QString("PanicUp%1").arg(int(b)); }
    void WallpaperDueStep(TDateTime) override
    {
        calls << "WallpaperDueStep";
        if (onWallDue)
            onWallDue();
    }
};

struct ClockFixture {
    platform::FakeClock clock{EncodeDate(2026, 12, 7) + EncodeTime(14, 0, 20)};
    platform::FakeSound sound;
    platform::FakeClockSetWatch clockSet;
    platform::FakeTimeZoneWatch zoneWatch;
    platform::FakeMountTable mounts;
    platform::FakeHelp help;
    platform::FakeScreenSaver saver;
    platform::FakeWindowManager windowManager;
    platform::MemoryProfileFile profile;
    FakeWallpaperServices wallpaperFakes;
    FakeAboutServices aboutFakes;
    platform::MemoryRegistry& registry = wallpaperFakes.registry;
    platform::FakeDesktop& desktop = wallpaperFakes.desktop;
    QStringList errors;
    std::unique_ptr<RecordingClock> window;

    ClockFixture()
    {
        ErrorHandler::SetPresenter([this](const QString&, const QString& text) { errors << text; });
    }
    ~ClockFixture()
    {
        window.reset();
        ErrorHandler::SetPresenter({});
    }
    RecordingClock& Start(const std::string& ini = {})
    {
        if (!ini.empty())
            profile.content = ini;
        window = std::make_unique<RecordingClock>(
            ClockServices{clock, sound, help, saver, profile, "/data/zelvaro", wallpaperFakes.services,
                          aboutFakes.facts, aboutFakes.services, clockSet, mounts, windowManager, zoneWatch});
        return *window;
    }
};
