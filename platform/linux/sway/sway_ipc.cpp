// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/sway/sway_ipc.h"

#include "platform/linux/shared/unique_fd.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform {
namespace {

constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::size_t kHeader = sizeof kMagic + 8;
constexpr unsigned kRunCommand = 0;
constexpr unsigned kSubscribe = 2;
constexpr unsigned kGetOutputs = 3;
constexpr unsigned kGetTree = 4;
constexpr std::uint32_t kLargestMessage = 64u << 20;

using Clock = std::chrono::steady_clock;

// Waits for `events` on `fd` until `deadline`; false on timeout or error.
bool Wait(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left));
        if (n > 0)
            return (p.revents & events) != 0;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

bool WriteAll(int fd, const std::string& data, Clock::time_point deadline)
{
    for (std::size_t done = 0; done < data.size();) {
        if (!Wait(fd, POLLOUT, deadline))
            return false;
        const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, char* out, std::size_t size, Clock::time_point deadline)
{
    for (std::size_t done = 0; done < size;) {
        if (!Wait(fd, POLLIN, deadline))
            return false;
        const ssize_t n = ::recv(fd, out + done, size - done, 0);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            return false;
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

SwayIpc::SwayIpc(std::string socketPath) : path_(std::move(socketPath))
{}

std::string SwayIpc::SessionSocket()
{
    const char* sock = std::getenv("SWAYSOCK");
    return sock ? sock : "";
}

// Sends one request on a new connection and reads its reply: the connection
// (for the caller to close), or -1 when sway does not answer in time.
int SwayIpc::Ask(unsigned type, const std::string& payload, std::string& reply) const
{
    sockaddr_un addr{};
    if (path_.empty() || path_.size() >= sizeof addr.sun_path)
        return -1;
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0)
        return -1;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path_.c_str(), path_.size() + 1);
    const auto deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 &&
        (errno != EINPROGRESS || !Wait(fd.get(), POLLOUT, deadline)))
        return -1;

    // The header: the magic, then the payload's length and the type in the
    // machine's byte order.
    std::string message(kMagic, sizeof kMagic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    const auto kind = static_cast<std::uint32_t>(type);
    message.append(reinterpret_cast<const char*>(&length), 4);
    message.append(reinterpret_cast<const char*>(&kind), 4);
    message += payload;
    if (!WriteAll(fd.get(), message, deadline))
        return -1;

    char header[kHeader];
    if (!ReadAll(fd.get(), header, kHeader, deadline) || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return -1;
    std::uint32_t replyLength = 0;
    std::memcpy(&replyLength, header + sizeof kMagic, 4);
    if (replyLength > kLargestMessage)
        return -1;
    reply.assign(replyLength, '\0');
    if (!ReadAll(fd.get(), reply.data(), reply.size(), deadline))
        return -1;
    return fd.release();
}

std::optional<std::string> SwayIpc::Request(unsigned type, const std::string& payload) const
{
    std::string reply;
    const int fd = Ask(type, payload, reply);
    if (fd < 0)
        return std::nullopt;
    ::close(fd);
    return reply;
}

int SwayIpc::Subscribe(const std::string& kinds) const
{
    std::string reply;
    UniqueFd fd(Ask(kSubscribe, kinds, reply));
    if (fd.get() < 0 ||
        !QJsonDocument::fromJson(QByteArray::fromStdString(reply)).object().value(QStringLiteral("success")).toBool())
        return -1;
    return fd.release();
}

std::optional<SwayIpc::Message> SwayIpc::TakeMessage(std::string& buffer)
{
    const std::size_t magic = std::min(buffer.size(), sizeof kMagic);
    if (std::memcmp(buffer.data(), kMagic, magic) != 0) {
        buffer.clear();
        return std::nullopt;
    }
    if (buffer.size() < kHeader)
        return std::nullopt;
    Message m;
    std::uint32_t length = 0;
    std::memcpy(&length, buffer.data() + sizeof kMagic, 4);
    std::memcpy(&m.type, buffer.data() + sizeof kMagic + 4, 4);
    if (length > kLargestMessage) {
        buffer.clear();
        return std::nullopt;
    }
    if (buffer.size() < kHeader + length)
        return std::nullopt;
    m.payload = buffer.substr(kHeader, length);
    buffer.erase(0, kHeader + length);
    return m;
}

bool SwayIpc::Run(const std::string& commands) const
{
    const std::optional<std::string> reply = Request(kRunCommand, commands);
    if (!reply)
        return false;
    const QJsonArray results = QJsonDocument::fromJson(QByteArray::fromStdString(*reply)).array();
    if (results.isEmpty())
        return false;
    for (const QJsonValue& r : results)
        if (!r.toObject().value(QStringLiteral("success")).toBool())
            return false;
    return true;
}

std::optional<std::string> SwayIpc::Tree() const
{
    return Request(kGetTree, {});
}

std::optional<std::string> SwayIpc::Outputs() const
{
    return Request(kGetOutputs, {});
}

}  // namespace platform
