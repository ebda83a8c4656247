// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/dialog_buttons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

namespace {

QPushButton* Button(QDialog* dialog, const QString& caption, const QString& name)
{
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

DialogButtons MakeDialogButtons(QDialog* dialog)
{
    DialogButtons b{
        Button(dialog, QCoreApplication::translate("DialogButtons", "OK"), QStringLiteral("OKBtn")),
        Button(dialog, QCoreApplication::translate("DialogButtons", "ｷｬﾝｾﾙ"), QStringLiteral("CancelBtn")),
        Button(dialog, QCoreApplication::translate("DialogButtons", "ﾍﾙﾌﾟ(&H)"), QStringLiteral("HelpBtn"))};
    b.OKBtn->setDefault(true);
    QObject::connect(b.OKBtn, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.CancelBtn, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}
