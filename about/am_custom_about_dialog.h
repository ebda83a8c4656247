// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about-box component the clock window holds: it keeps the box's texts
// and shows the box. Empty texts fall back to the application's own.

#include "about/about_services.h"

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>

class TAMCustomAboutDialog : public QObject {
    Q_OBJECT
public:
    explicit TAMCustomAboutDialog(const AboutServices& services, QObject* owner = nullptr);

    QString AppName;  // empty: the application title
    QString Caption;  // empty: "About " + the application title
    QString Copyright;
    QString ExtraInfo;
    QIcon Icon;           // null: the application's icon
    QString PhysicalMem;  // the memory line's label
    QString SystemRes;    // the resources line's label
    QString TargetOS;

    // The icon's tooltip; a non-empty hint switches ShowHint on.
    void SetHint(const QString& hint);
    bool ShowHint = false;

    std::function<void(TAMCustomAboutDialog*)> OnExecute;   // before the box is made
    std::function<void(TAMCustomAboutDialog*)> OnExecuted;  // after it is closed

    // Shows the box modally; true when it was closed with OK. The box is
    // released in every case.
    bool Execute();

private:
    const AboutServices& services_;
    QString hint_;
};
