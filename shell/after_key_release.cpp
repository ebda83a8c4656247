// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/after_key_release.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// How long a release may take to arrive before the command runs anyway.
constexpr int kGiveUpMs = 4000;
// After the release, so the system has taken it as input before the command.
constexpr int kSettleMs = 150;

}  // namespace

AfterKeyRelease::AfterKeyRelease(QObject* parent) : QObject(parent)
{
    giveUp_.setSingleShot(true);
    giveUp_.setInterval(kGiveUpMs);
    connect(&giveUp_, &QTimer::timeout, this, &AfterKeyRelease::Fire);
}

void AfterKeyRelease::Run(int key, std::function<void()> command)
{
    command_ = std::move(command);
    if (key == 0) {
        Fire();
        return;
    }
    if (key_ == 0)
        QCoreApplication::instance()->installEventFilter(this);
    key_ = key;
    giveUp_.start();
}

bool AfterKeyRelease::eventFilter(QObject* watched, QEvent* event)
{
    if (key_ != 0 && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == key_ && !key->isAutoRepeat()) {
            QCoreApplication::instance()->removeEventFilter(this);
            key_ = 0;
            giveUp_.start(kSettleMs);
        }
    }
    return QObject::eventFilter(watched, event);
}

void AfterKeyRelease::Fire()
{
    if (key_ != 0) {
        QCoreApplication::instance()->removeEventFilter(this);
        key_ = 0;
    }
    giveUp_.stop();
    giveUp_.setInterval(kGiveUpMs);
    if (auto command = std::exchange(command_, {}))
        command();
}
