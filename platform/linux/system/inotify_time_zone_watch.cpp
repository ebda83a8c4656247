// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/inotify_time_zone_watch.h"

#include <QSocketNotifier>

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

InotifyTimeZoneWatch::InotifyTimeZoneWatch(std::string zoneFile)
{
    const auto slash = zoneFile.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : zoneFile.substr(0, slash);
    name_ = slash == std::string::npos ? zoneFile : zoneFile.substr(slash + 1);
    fd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd_ < 0)
        return;
    // A link replaced (removed and made again, or renamed over), a file
    // written over or its attributes changed.
    const std::uint32_t mask = IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_ATTRIB | IN_ONLYDIR;
    if (::inotify_add_watch(fd_, folder.c_str(), mask) < 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Activated(); });
}

InotifyTimeZoneWatch::~InotifyTimeZoneWatch()
{
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void InotifyTimeZoneWatch::OnZoneChanged(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

void InotifyTimeZoneWatch::Activated()
{
    // Every event waiting is read; the handler runs once for all of them.
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    bool changed = false;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            if (event.len > 0 && name_ == std::string(name, ::strnlen(name, event.len)))
                changed = true;
            if (event.mask & IN_IGNORED)  // the folder itself went away
                notifier_->setEnabled(false);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    if (!changed)
        return;
    tzset();  // the local time reads in the new zone from here on
    if (handler_)
        handler_();
}

}  // namespace platform
