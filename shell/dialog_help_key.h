// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// F1 in a dialog opens that dialog's help topic, whichever control has the
// focus. Installed once on the application; windows without a topic of their
// own (the clock window answers F1 itself) are left alone.

#include "platform/help.h"

#include <QObject>

class DialogHelpKey : public QObject {
    Q_OBJECT
public:
    explicit DialogHelpKey(platform::Help& help, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::Help& help_;
};
