#include "platform/linux/socket_instance_guard.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

}  // namespace

SocketInstanceGuard::SocketInstanceGuard(std::string name) : name_(std::move(name)) {}

SocketInstanceGuard::~SocketInstanceGuard()
{
    notifier_.reset();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

bool SocketInstanceGuard::Acquire()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return true;  // no guard can be made: run as the only copy
    sockaddr_un address;
    const socklen_t length = MakeAddress(name_, address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        return error != EADDRINUSE;
    }
    if (::listen(fd, 4) != 0) {
        ::close(fd);
        return true;
    }
    listenFd_ = fd;
    return true;
}

bool SocketInstanceGuard::BringRunningCopyForward()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address;
    const socklen_t length = MakeAddress(name_, address);
    bool sent = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0)
        sent = ::send(fd, "F", 1, MSG_NOSIGNAL) == 1;
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
    // Every connection is one request; what it sends does not matter.
    for (;;) {
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            break;
        ::close(client);
        if (handler_)
            handler_();
    }
}

}  // namespace platform
