// SPDX-License-Identifier: GPL-3.0-or-later
// The work of one clock tick without the window: the time split, the face
// text and its comparison, the chime decision. Almost every tick ends there.

#include "shell/clock_tick.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PlanTickNoChange(benchmark::State& state)
{
    ClockSettings settings;
    settings.UseWaveSw = settings.JustWaveSw = true;
    settings.JustWave = "/usr/share/sounds/just.wav";
    bool armed = true;
    const TDateTime now = EncodeDate(2026, 12, 7) + EncodeTime(14, 7, 20);
    const std::string shown = ClockText(now);
    for (auto _ : state) {
        TickPlan plan = PlanTick(now, shown, settings, armed, true);
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_PlanTickNoChange);

void BM_PlanTickAcrossADay(benchmark::State& state)
{
    ClockSettings settings;
    settings.UseWaveSw = settings.JustWaveSw = settings.HalfWaveSw = settings.QuarterWaveSw = true;
    bool armed = true;
    std::string shown;
    TDateTime now = EncodeDate(2026, 12, 7);
    const TDateTime step = 450.0 / kMsPerDay;
    for (auto _ : state) {
        TickPlan plan = PlanTick(now, shown, settings, armed, true);
        if (plan.newClockText)
            shown = *plan.newClockText;
        now += step;
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_PlanTickAcrossADay);

}  // namespace
