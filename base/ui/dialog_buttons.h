// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard buttons of the program's dialogs: "OK" (the default button,
// accepts), "ｷｬﾝｾﾙ" (rejects) and "ﾍﾙﾌﾟ(&H)", each named as the dialogs
// name them (OKBtn, CancelBtn, HelpBtn). The caller connects the help
// button to its own topic and lays the buttons out.

class QDialog;
class QPushButton;

struct DialogButtons {
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

DialogButtons MakeDialogButtons(QDialog* dialog);
