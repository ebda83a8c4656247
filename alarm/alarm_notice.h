// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMsgDlg: the alarm notice. It stays on top, says that the time has come,
// shows the alarm time and scrolls a picture (with the alarm sound) until the
// user closes it.

#include "alarm/bm_scroll.h"
#include "platform/sound.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TMsgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMsgDlg(platform::Sound& sound, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TBMScroll* BMScroll1 = nullptr;
    QPushButton* OKBtn = nullptr;

    // The built-in picture: 240 x 180, 256 colours.
    static QImage BuiltInPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Makes the notice a topmost window.
    void FormShow();
};
