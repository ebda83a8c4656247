// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/sway/sway_window_events.h"

#include "platform/linux/sway/sway_ipc.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <sys/socket.h>

#include <cerrno>

namespace platform {
namespace {

constexpr std::uint32_t kWindowEvent = 0x80000003u;

}  // namespace

SwayWindowEvents::SwayWindowEvents(const std::string& socketPath) : fd_(SwayIpc(socketPath).Subscribe(R"(["window"])"))
{
    if (fd_.get() < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Read(); });
}

SwayWindowEvents::~SwayWindowEvents() = default;

std::vector<SwayWindow> SwayWindowEvents::TakeMappedWindows(std::string& buffer)
{
    std::vector<SwayWindow> mapped;
    while (const auto message = SwayIpc::TakeMessage(buffer)) {
        if (message->type != kWindowEvent)
            continue;
        const QJsonObject event = QJsonDocument::fromJson(QByteArray::fromStdString(message->payload)).object();
        if (event.value(QStringLiteral("change")).toString() != QLatin1String("new"))
            continue;
        const QJsonObject container = event.value(QStringLiteral("container")).toObject();
        SwayWindow window;
        window.pid = container.value(QStringLiteral("pid")).toInteger();
        window.x11Window = static_cast<std::uintptr_t>(container.value(QStringLiteral("window")).toInteger());
        mapped.push_back(window);
    }
    return mapped;
}

void SwayWindowEvents::Read()
{
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::recv(fd_.get(), chunk, sizeof chunk, 0);
        if (n > 0) {
            buffer_.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            notifier_->setEnabled(false);  // sway has ended
        break;
    }
    for (const SwayWindow& window : TakeMappedWindows(buffer_))
        if (handler_)
            handler_(window);
}

}  // namespace platform
