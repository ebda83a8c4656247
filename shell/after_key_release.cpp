// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/after_key_release.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// How long a release may take to arrive before the command runs anyway.
constexpr int kGiveUpMs = 4000;
// How long the key must stay up. A held key repeats as releases and presses
// in quick succession, and on a busy machine a repeated release can come
// without its repeat mark: the command waits until no press follows.
constexpr int kSettleMs = 300;

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
    giveUp_.start(kGiveUpMs);
}

bool AfterKeyRelease::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (key_ != 0 && (type == QEvent::KeyRelease || type == QEvent::KeyPress) &&
        static_cast<const QKeyEvent*>(event)->key() == key_) {
        // Up: the command follows once the key stays up; down again (a
        // repeat): the wait goes on.
        giveUp_.start(type == QEvent::KeyRelease ? kSettleMs : kGiveUpMs);
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
    if (auto command = std::exchange(command_, {}))
        command();
}
