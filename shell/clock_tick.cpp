// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clock_tick.h"

#include <algorithm>

std::optional<std::string> ChimeForMinute(int minute, const ClockSettings& settings, bool& chimeArmed)
{
    if (!settings.UseWaveSw)
        return std::nullopt;
    const bool* sw = nullptr;
    const std::string* file = nullptr;
    switch (minute) {
    case 0:
        sw = &settings.JustWaveSw;
        file = &settings.JustWave;
        break;
    case 15:
    case 45:
        sw = &settings.QuarterWaveSw;
        file = &settings.QuarterWave;
        break;
    case 30:
        sw = &settings.HalfWaveSw;
        file = &settings.HalfWave;
        break;
    default: chimeArmed = true; return std::nullopt;
    }
    if (!chimeArmed || !*sw)
        return std::nullopt;
    chimeArmed = false;
    return *file;
}

TickPlan PlanTick(TDateTime now, const std::string& shownText, const ClockSettings& settings, bool& chimeArmed,
                  bool rotationRunning)
{
    TickPlan plan;
    plan.minute = DecodeTime(now).minute;
    std::string text = ClockText(now, settings.Clock24);
    if (text != shownText)
        plan.newClockText = std::move(text);
    plan.chime = ChimeForMinute(plan.minute, settings, chimeArmed);
    plan.wallDueTest = rotationRunning;
    return plan;
}

std::vector<std::string> SoundsToHold(const ClockSettings& settings)
{
    std::vector<std::string> files;
    const auto add = [&files](bool on, const std::string& file) {
        if (on && !file.empty() && std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    };
    add(settings.UseWaveSw && settings.JustWaveSw, settings.JustWave);
    add(settings.UseWaveSw && settings.HalfWaveSw, settings.HalfWave);
    add(settings.UseWaveSw && settings.QuarterWaveSw, settings.QuarterWave);
    add(settings.AlarmWaveSw, settings.AlarmWave);
    return files;
}
