// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decisions of one clock tick: whether the face text changes, whether a
// time signal sounds, whether the wallpaper due test runs. The window carries
// them out; nothing here touches a widget or a device.

#include "base/clock_settings.h"
#include "base/date_time.h"

#include <optional>
#include <string>
#include <vector>

// The time signal of the minute `minute` (0..59). Returns the sound file when
// this tick sounds a signal (an empty name still counts: nothing plays but
// the signal is spent), nothing otherwise. A signal sounds only while
// `chimeArmed`, and clears it; any minute that is not a signal minute arms it
// again. A signal minute whose switch is off leaves the flag as it is. With
// UseWaveSw off nothing sounds and the flag is not touched.
std::optional<std::string> ChimeForMinute(int minute, const ClockSettings& settings, bool& chimeArmed);

// The sound files the tick and the alarm may play with these settings: the
// switched-on time signals and the alarm sound, each once, none empty. They
// are decoded when the settings are read or changed, never on the tick.
std::vector<std::string> SoundsToHold(const ClockSettings& settings);

struct TickPlan {
    std::optional<std::string> newClockText;  // set when the face must change
    std::optional<std::string> chime;         // set when a signal sounds
    bool wallDueTest = false;                 // the wallpaper due test runs
    int minute = 0;                           // the current minute of the hour
};

// Plans one tick at `now`: `shownText` is what the face shows,
// `rotationRunning` whether the wallpaper rotation runs (the wallpaper side
// decides: switched on and not paused).
TickPlan PlanTick(TDateTime now, const std::string& shownText, const ClockSettings& settings, bool& chimeArmed,
                  bool rotationRunning);
