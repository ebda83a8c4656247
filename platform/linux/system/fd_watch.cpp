// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/fd_watch.h"

#include <QSocketNotifier>

#include <unistd.h>

namespace platform {

FdWatch::FdWatch() = default;

FdWatch::~FdWatch()
{
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void FdWatch::Watch(int fd, std::function<bool()> readable)
{
    fd_ = fd;
    if (fd_ < 0)
        return;
    readable_ = std::move(readable);
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Activated(); });
}

void FdWatch::Stop()
{
    if (notifier_)
        notifier_->setEnabled(false);
}

void FdWatch::Activated()
{
    if (readable_() && handler_)
        handler_();
}

}  // namespace platform
