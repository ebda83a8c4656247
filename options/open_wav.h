// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound picker "WAVの選択": the file lists of FilePicker with a sound
// test. With "自動演奏" checked a click on a file plays it at once; Play and
// Stop play and stop the selected file; a double click is OK. Closing the
// picker stops the sound it started.

#include "options/file_picker.h"
#include "platform/sound.h"

#include <set>
#include <string>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

class TfrmOpenWav : public FilePicker {
    Q_OBJECT
public:
    TfrmOpenWav(platform::Sound& sound, const std::string& mountTable, QWidget* parent = nullptr);
    ~TfrmOpenWav() override;

    void done(int result) override;

protected:
    void FileListClick() override;
    void FileListDblClick() override;

private:
    // Its controls, found by their object names from outside.
    QLineEdit* edtFileName = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // "Sound Test": auto-play, play and stop
    QCheckBox* chkAutoPlay = nullptr;
    QWidget* MediaPlayer = nullptr;
    QPushButton* PlayButton = nullptr;
    QPushButton* StopButton = nullptr;

    // Plays the selected file; a file the player refuses raises its error.
    void PlaySelected();
    void StopSound();

    platform::Sound& sound_;
    bool started_ = false;
    std::set<std::string> reported_;  // the failures shown in this opening
};
