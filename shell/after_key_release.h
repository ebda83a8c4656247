// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a command once a held key is let go and stays up. A screen saver
// started while the key that chose it is still down ends at once, as its
// release counts as the user coming back: the saver waits for the release
// (or, should the release go to another program, a few seconds at most).

#include <QObject>
#include <QTimer>

#include <functional>

class AfterKeyRelease : public QObject {
    Q_OBJECT
public:
    explicit AfterKeyRelease(QObject* parent = nullptr);

    // Runs `command` a moment after `key` is released; a command still
    // waiting is replaced. `key` 0 runs it at once.
    void Run(int key, std::function<void()> command);

    bool Waiting() const { return key_ != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fire();

    int key_ = 0;
    std::function<void()> command_;
    QTimer giveUp_;  // runs the command: the key stayed up, or no release came
};
