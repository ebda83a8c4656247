// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/am_custom_about_dialog.h"

#include "about/about_dlg.h"
#include "about/about_texts.h"
#include "base/ui/app_title.h"

#include <QApplication>

#include <memory>

TAMCustomAboutDialog::TAMCustomAboutDialog(const AboutServices& services, QObject* owner)
    : QObject(owner), services_(services)
{
    PhysicalMem = QString::fromUtf8(kDefaultPhysicalMem);
    SystemRes = QString::fromUtf8(kDefaultSystemRes);
    TargetOS = QString::fromUtf8(kDefaultTargetOS);
}

void TAMCustomAboutDialog::SetHint(const QString& hint)
{
    hint_ = hint;
    if (!hint.isEmpty())
        ShowHint = true;
}

bool TAMCustomAboutDialog::Execute()
{
    if (OnExecute)
        OnExecute(this);
    bool ok = false;
    {
        const auto dialog = std::make_unique<TfrmAboutDlg>(services_);
        const QString title = QString::fromUtf8(kApplicationTitle);
        dialog->SetApplicationName(AppName.isEmpty() ? title : AppName);
        dialog->setWindowTitle(Caption.isEmpty() ? QStringLiteral("About ") + title : Caption);
        dialog->SetTexts(Copyright, ExtraInfo, TargetOS, PhysicalMem, SystemRes);
        const QIcon icon = Icon.isNull() ? QApplication::windowIcon() : Icon;
        dialog->SetIcon(icon.pixmap(32, 32), ShowHint ? hint_ : QString());
        ok = dialog->exec() == QDialog::Accepted;
    }
    if (OnExecuted)
        OnExecuted(this);
    return ok;
}
