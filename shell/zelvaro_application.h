// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object. Its event delivery runs under the error handler, so
// an error that escapes any event handler is shown and the program runs on.

#include <QApplication>

class ZelvaroApplication : public QApplication {
    Q_OBJECT
public:
    ZelvaroApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
