// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the rotation changes the wallpaper. NextWallChange marks the next
// change; the change is due at the first tick at or after the start of its
// minute. This keeps one change per interval for every interval (the minute
// alone would match again within the hour for 60 or 120 minutes, and at once
// for an interval of 0), and a tick that comes late (a busy or suspended
// machine) still changes the wallpaper once.

#include "base/date_time.h"

class WallSchedule {
public:
    // At start-up: with `changeAtStart` the first tick changes the wallpaper;
    // without it the first change comes when the clock next shows the minute
    // before the start-up minute, 59 minutes later.
    void Start(TDateTime now, bool changeAtStart);

    // True when a tick at `now` should take a rotation step. A series of
    // failed tries ends with the minute it started in; the next try is then
    // one interval later.
    bool IsDue(TDateTime now, TDateTime interval);

    // A wallpaper was applied at `now` (by the rotation or by hand): the next
    // change is one interval later. An interval under one minute counts as one.
    void Applied(TDateTime now, TDateTime interval);

    // A try at `now` failed (unreadable file): the next tick of the same
    // minute tries again.
    void Failed(TDateTime now);

    // True while a series of failed tries runs in the minute of `now`.
    bool Retrying(TDateTime now) const;

    // Nothing to try at `now` (no directory or no image file in it): the tries
    // end at once and the next step comes one interval later.
    void NothingToTry(TDateTime now, TDateTime interval);

    // The pause ends at `now`: a change moment whose minute has passed moves
    // on by whole hours to the next time the clock shows its minute.
    void Resume(TDateTime now);

    // The next tick changes the wallpaper (rotation switched on).
    void ChangeNow(TDateTime now);

    TDateTime NextWallChange = 0;

private:
    bool trying_ = false;      // a series of failed tries is running
    TDateTime tryMinute_ = 0;  // start of the minute the series began in
};

// The start of the minute that holds `value` (seconds and milliseconds cut).
TDateTime MinuteStart(TDateTime value);

// An interval as the schedule uses it: at least one minute.
TDateTime EffectiveWallInterval(TDateTime interval);
