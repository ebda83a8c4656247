// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/inotify_time_zone_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace platform {

namespace {

// An inotify descriptor watching `folder`, or -1.
int WatchFolder(const std::string& folder)
{
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0)
        return -1;
    // A link replaced (removed and made again, or renamed over), a file
    // written over or its attributes changed.
    const std::uint32_t mask = IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_ATTRIB | IN_ONLYDIR;
    if (::inotify_add_watch(fd, folder.c_str(), mask) < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

InotifyTimeZoneWatch::InotifyTimeZoneWatch(std::string zoneFile)
{
    const auto slash = zoneFile.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : zoneFile.substr(0, slash);
    name_ = slash == std::string::npos ? zoneFile : zoneFile.substr(slash + 1);
    watch_.Watch(WatchFolder(folder), [this] { return ZoneFileChanged(); });
}

bool InotifyTimeZoneWatch::ZoneFileChanged()
{
    // Every event waiting is read; the handler runs once for all of them.
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    bool changed = false;
    for (;;) {
        const ssize_t n = ::read(watch_.Fd(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            if (event.len > 0 && name_ == std::string(name, ::strnlen(name, event.len)))
                changed = true;
            if (event.mask & IN_IGNORED)  // the folder itself went away
                watch_.Stop();
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    if (changed)
        tzset();  // the local time reads in the new zone from here on
    return changed;
}

}  // namespace platform
