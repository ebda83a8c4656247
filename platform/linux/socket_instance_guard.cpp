// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/socket_instance_guard.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "zelvaro.instance")

namespace platform {

namespace {

// An abstract socket address: a leading NUL, then the name (no file on disk).
socklen_t MakeAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
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
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || !PeerIsUs(fd)) {
        ::close(fd);
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
    if (::listen(fd, 4) != 0) {
        ::close(fd);
        return Bound::NoGuard;
    }
    listenFd = fd;
    return Bound::Held;
}

}  // namespace

SocketInstanceGuard::SocketInstanceGuard(std::string name) : name_(std::move(name)), activeName_(name_)
{}

SocketInstanceGuard::~SocketInstanceGuard()
{
    notifier_.reset();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

bool SocketInstanceGuard::Acquire()
{
    for (int i = 0; i < kNamesTried; ++i) {
        const std::string name = i == 0 ? name_ : name_ + "-" + std::to_string(i);
        switch (Bind(name, listenFd_)) {
        case Bound::Held: activeName_ = name; return true;
        case Bound::NoGuard: return true;  // no guard can be made: run as the only copy
        case Bound::InUse: break;
        }
        const int ours = ConnectToOurCopy(name);
        if (ours >= 0) {
            // Our own copy runs: the check connection sends nothing, so it
            // asks for nothing.
            ::close(ours);
            activeName_ = name;
            return false;
        }
        qCWarning(lcInstance, "the single-instance name %s is held by another user; trying the next", name.c_str());
    }
    qCWarning(lcInstance, "every single-instance name is held by another user; running without the guard");
    return true;
}

bool SocketInstanceGuard::BringRunningCopyForward()
{
    const int fd = ConnectToOurCopy(activeName_);
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
