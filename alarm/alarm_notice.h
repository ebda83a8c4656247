// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMsgDlg: the alarm notice. It stays on top, says that the time has come,
// shows the alarm time and scrolls a picture (with the alarm sound) until the
// user closes it.

#include "alarm/bm_scroll.h"
#include "platform/sound.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

class TMsgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMsgDlg(platform::Sound& sound, QWidget* parent = nullptr);

    // What the notice shows: the alarm time, the picture it scrolls (a null
    // image keeps the built-in one) and the sound played meanwhile (none when
    // empty). The scrolling starts.
    void ShowAlarm(const QString& timeText, const QImage& picture, const std::string& soundFile);
    // The notice was closed: the picture stops, and its sound with it.
    void StopScrolling();

    // The built-in picture: 240 x 180, 256 colours.
    static QImage BuiltInPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Its controls, found by their object names from outside.
    QLabel* Label1 = nullptr;        // the notice's line that the set time has come
    QLabel* Label2 = nullptr;        // the alarm time
    TBMScroll* BMScroll1 = nullptr;  // the scrolling picture
    QPushButton* OKBtn = nullptr;

    // Makes the notice a topmost window.
    void FormShow();
};
