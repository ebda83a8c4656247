// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time-zone changes through inotify on the zone file (/etc/localtime): its
// folder is watched, so a file replaced by a new link or renamed into place
// is seen as well as one written over. Each change re-reads the zone (tzset)
// before the handler runs. Costs no wake-up while nothing in the folder
// changes.

#include "platform/time_zone_watch.h"

#include <memory>
#include <string>

class QSocketNotifier;

namespace platform {

class InotifyTimeZoneWatch : public TimeZoneWatch {
public:
    explicit InotifyTimeZoneWatch(std::string zoneFile = "/etc/localtime");
    ~InotifyTimeZoneWatch() override;
    InotifyTimeZoneWatch(const InotifyTimeZoneWatch&) = delete;
    InotifyTimeZoneWatch& operator=(const InotifyTimeZoneWatch&) = delete;

    void OnZoneChanged(std::function<void()> handler) override;
    // False when the folder could not be watched (then the handler never runs).
    bool Watching() const { return notifier_ != nullptr; }

private:
    void Activated();

    std::string name_;  // the zone file's name in its folder
    int fd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
