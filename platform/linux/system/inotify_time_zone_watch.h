// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time-zone changes through inotify on the zone file (/etc/localtime): its
// folder is watched, so a file replaced by a new link or renamed into place
// is seen as well as one written over. Each change re-reads the zone (tzset)
// before the handler runs. Costs no wake-up while nothing in the folder
// changes.

#include "platform/clock_jump_watch.h"
#include "platform/linux/system/fd_watch.h"

#include <string>

namespace platform {

class InotifyTimeZoneWatch : public TimeZoneWatch {
public:
    explicit InotifyTimeZoneWatch(std::string zoneFile = "/etc/localtime");

    void OnJump(std::function<void()> handler) override { watch_.SetHandler(std::move(handler)); }
    // False when the folder could not be watched (then the handler never runs).
    bool Watching() const { return watch_.Watching(); }

private:
    bool ZoneFileChanged();

    std::string name_;  // the zone file's name in its folder
    FdWatch watch_;
};

}  // namespace platform
