// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/session/socket_instance_guard.h"

#include "base/text_helpers.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

Q_LOGGING_CATEGORY(lcInstance, "zelvaro.instance")

namespace platform {

namespace {

// The socket's address: a path when `name` starts with "/", else an abstract
// name (a leading NUL, then the name; no file on disk).
socklen_t MakeAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const bool path = !name.empty() && name.front() == '/';
    const std::size_t at = path ? 0 : 1;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + at, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + at + length + (path ? 1 : 0));
}

bool FitsAPath(const std::string& path)
{
    return path.size() < sizeof(sockaddr_un::sun_path);
}

bool PeerIsUs(int fd)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::geteuid();
}

// A connection to the holder of `name` when that holder runs as our user;
// -1 when nobody listens there, or a stranger does.
int ConnectToOurCopy(const std::string& name)
{
    // Non-blocking: a holder that never accepts fills its queue, and a
    // blocking connect would then wait for ever.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address;
    const socklen_t length = MakeAddress(name, address);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (!PeerIsUs(fd)) {
        ::close(fd);
        errno = EACCES;
        return -1;
    }
    return fd;
}

enum class Bound { Held, InUse, NoGuard };

Bound Bind(const std::string& name, int& listenFd)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Bound::NoGuard;
    sockaddr_un address;
    const socklen_t length = MakeAddress(name, address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EADDRINUSE ? Bound::InUse : Bound::NoGuard;
    }
    // A long queue: copies started together each connect once to check.
    if (::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return Bound::NoGuard;
    }
    listenFd = fd;
    return Bound::Held;
}

// The socket file of the copy that holds the lock, removed at exit() as well:
// when the display dies Qt ends the process with exit(), and the guard on
// main's stack is never destroyed. Never freed, so it outlives every static.
std::string& SocketFileAtExit()
{
    static std::string* const path = new std::string;
    return *path;
}

void RemoveSocketFileAtExit()
{
    if (!SocketFileAtExit().empty())
        ::unlink(SocketFileAtExit().c_str());
}

}  // namespace

SocketInstanceGuard::SocketInstanceGuard(std::string name, std::string runtimeDir)
    : name_(std::move(name)), runtimeDir_(std::move(runtimeDir)), activeName_(name_)
{}

SocketInstanceGuard::~SocketInstanceGuard()
{
    notifier_.reset();
    if (listenFd_ >= 0)
        ::close(listenFd_);
    if (lockFd_ >= 0) {
        // The socket file goes first, while the lock still says it is ours.
        if (!activeName_.empty() && activeName_.front() == '/') {
            ::unlink(activeName_.c_str());
            if (SocketFileAtExit() == activeName_)
                SocketFileAtExit().clear();
        }
        ::close(lockFd_);
    }
}

void SocketInstanceGuard::ListenAfterLock()
{
    // The lock makes this copy the one: the socket in the runtime folder is
    // ours to replace (a crashed copy leaves its file behind).
    const std::string path = runtimeDir_ + "/" + name_ + ".socket";
    if (FitsAPath(path)) {
        ::unlink(path.c_str());
        if (Bind(path, listenFd_) == Bound::Held) {
            activeName_ = path;
            static const bool registered = std::atexit(RemoveSocketFileAtExit) == 0;
            if (registered)
                SocketFileAtExit() = path;
            return;
        }
    }
    for (int i = 0; i < kNamesTried; ++i) {
        const std::string name = i == 0 ? name_ : name_ + "-" + std::to_string(i);
        if (Bind(name, listenFd_) == Bound::Held) {
            activeName_ = name;
            return;
        }
    }
    qCWarning(lcInstance, "the running copy cannot be called forward: no socket could be made");
}

bool SocketInstanceGuard::Acquire()
{
    if (!runtimeDir_.empty()) {
        const std::string lockPath = runtimeDir_ + "/" + name_ + ".lock";
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lockFd_ = fd;
            ListenAfterLock();
            return true;
        }
        const bool held = fd >= 0 && errno == EWOULDBLOCK;
        if (fd >= 0)
            ::close(fd);
        if (held) {
            lockedByOurCopy_ = true;
            const std::string path = runtimeDir_ + "/" + name_ + ".socket";
            activeName_ = path;
            if (!FitsAPath(path)) {
                // The holder listens on the first abstract name it could take.
                for (int i = 0; i < kNamesTried; ++i) {
                    const std::string name = i == 0 ? name_ : name_ + "-" + std::to_string(i);
                    if (const int ours = ConnectToOurCopy(name); ours >= 0) {
                        ::close(ours);
                        activeName_ = name;
                        break;
                    }
                }
            }
            return false;
        }
        qCWarning(lcInstance, "the single-instance lock %s cannot be made; using the socket name alone",
                  ShownEscaped(lockPath).c_str());
    }
    for (int i = 0; i < kNamesTried; ++i) {
        const std::string name = i == 0 ? name_ : name_ + "-" + std::to_string(i);
        switch (Bind(name, listenFd_)) {
        case Bound::Held: activeName_ = name; return true;
        case Bound::NoGuard: return true;  // no guard can be made: run as the only copy
        case Bound::InUse: break;
        }
        // A copy started at the same instant may hold the name and not
        // listen yet: refused connections are tried again for a moment.
        int ours = ConnectToOurCopy(name);
        for (int tries = 0; ours < 0 && (errno == ECONNREFUSED || errno == EAGAIN) && tries < 10; ++tries) {
            ::usleep(20'000);
            ours = ConnectToOurCopy(name);
        }
        if (ours >= 0) {
            // Our own copy runs: the check connection sends nothing, so it
            // asks for nothing.
            ::close(ours);
            activeName_ = name;
            return false;
        }
        qCWarning(lcInstance, "the single-instance name %s is held by another user; trying the next",
                  ShownEscaped(name).c_str());
    }
    qCWarning(lcInstance, "every single-instance name is held by another user; running without the guard");
    return true;
}

bool SocketInstanceGuard::BringRunningCopyForward()
{
    int fd = ConnectToOurCopy(activeName_);
    // The copy holding the lock may have just started and not listen yet.
    for (int tries = 0; fd < 0 && lockedByOurCopy_ && tries < 40; ++tries) {
        ::usleep(50'000);
        fd = ConnectToOurCopy(activeName_);
    }
    if (fd < 0)
        return false;
    const bool sent = ::send(fd, "F", 1, MSG_NOSIGNAL) == 1;
    ::close(fd);
    return sent;
}

void SocketInstanceGuard::OnForwardRequest(std::function<void()> handler)
{
    handler_ = std::move(handler);
    if (listenFd_ < 0 || notifier_)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(listenFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Accept(); });
}

void SocketInstanceGuard::Accept()
{
    // A request is a connection from our own user that sends a byte; the
    // check a later copy makes closes without one, and other users are not
    // listened to.
    for (;;) {
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            break;
        bool request = false;
        if (PeerIsUs(client)) {
            pollfd wait{client, POLLIN, 0};
            char byte = 0;
            request = ::poll(&wait, 1, 500) == 1 && ::recv(client, &byte, 1, MSG_DONTWAIT) == 1;
        }
        ::close(client);
        if (request && handler_)
            handler_();
    }
}

}  // namespace platform
