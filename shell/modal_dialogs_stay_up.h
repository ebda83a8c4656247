// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A modal dialog never stays minimised: it blocks the clock, so a window
// manager that minimises it anyway (the dialogs offer no minimise button)
// would leave the program unusable. Installed once on the application, it
// brings such a dialog straight back.

#include <QObject>

class ModalDialogsStayUp : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
