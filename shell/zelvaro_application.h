// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object. Its event delivery runs under the error handler, so
// an error that escapes any event handler is shown and the program runs on.

#include "shell/interface_language.h"

#include <QApplication>
#include <QTranslator>

class ZelvaroApplication : public QApplication {
    Q_OBJECT
public:
    ZelvaroApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // English windows: the translation from `installedFolder` (the data
    // folder's translations of an installed copy), else the one built into
    // the program. Japanese keeps the written texts. False when English was
    // asked for and no translation could be loaded.
    bool UseLanguage(InterfaceLanguage language, const QString& installedFolder);

private:
    QTranslator translator_;
};
