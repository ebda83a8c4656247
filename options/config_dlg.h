// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options dialog "Zelvaroの設定": four tabs holding every setting but the
// window's place and the time signals' master switch. It holds no state
// beyond its controls: Fill puts values in, Values reads them out, and the
// picker buttons beside the path fields fill those fields.

#include "options/config_values.h"
#include "platform/help.h"
#include "platform/sound.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class StepSpinEdit;

class TConfigDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 31;

    // The pickers' drive boxes read `mountTable` (the /proc/self/mounts form).
    TConfigDlg(platform::Help& help, platform::Sound& sound, std::string mountTable, QWidget* parent = nullptr);

    void Fill(const ConfigValues& values);
    ConfigValues Values() const;

    // How OK asks, for each wallpaper folder that does not exist, whether to
    // keep it (it may be on a disk not yet mounted): true keeps it. A question
    // box with Yes and No unless replaced; empty puts the box back.
    static void SetMissingFolderQuestion(std::function<bool(const QString& question)> ask);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // OK: a path field holding a line break (pasted, or a picked file's name)
    // is refused with a message and the dialog stays open on that field; a
    // wallpaper folder that does not exist is kept only when the user says so.
    void accept() override;

private:
    bool KeepMissingFolder(const QString& question);
    // Shows the tab that holds `field` and gives the field the focus.
    void ShowField(QLineEdit* field);

    // Its controls, found by their object names from outside.
    QTabWidget* OptionNote = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    // "壁紙ﾃﾞｨﾚｸﾄﾘ"
    QLineEdit* edtWalldir1 = nullptr;
    QToolButton* sbtnDir1Open = nullptr;
    QCheckBox* chkWallDir2 = nullptr;
    QLineEdit* edtWallDir2 = nullptr;
    QToolButton* sbtnDir2Open = nullptr;
    StepSpinEdit* spnDir2StartHour = nullptr;
    StepSpinEdit* spnDir2StartMin = nullptr;
    StepSpinEdit* spnDir2EndHour = nullptr;
    StepSpinEdit* spnDir2EndMin = nullptr;
    QCheckBox* chkWallDir3 = nullptr;
    QLineEdit* edtWallDir3 = nullptr;
    QToolButton* sbtnDir3Open = nullptr;
    StepSpinEdit* spnDir3StartHour = nullptr;
    StepSpinEdit* spnDir3StartMin = nullptr;
    StepSpinEdit* spnDir3EndHour = nullptr;
    StepSpinEdit* spnDir3EndMin = nullptr;
    // "壁紙ｵﾌﾟｼｮﾝ"
    QCheckBox* chkWallChange = nullptr;
    QCheckBox* chkStartWallChange = nullptr;
    StepSpinEdit* spnInterval = nullptr;
    QLineEdit* edtPanic = nullptr;
    QToolButton* sbtnPanicOpen = nullptr;
    QCheckBox* chkColorDec = nullptr;
    QCheckBox* chkOnTop = nullptr;
    QCheckBox* chkClock24 = nullptr;
    QComboBox* cmbWallDisplay = nullptr;
    QCheckBox* chkWallPerMonitor = nullptr;
    // "時報"
    QCheckBox* chkJustWave = nullptr;
    QLineEdit* edtJustWave = nullptr;
    QToolButton* sbtnJustOpen = nullptr;
    QCheckBox* chkHalfWave = nullptr;
    QLineEdit* edtHalfWave = nullptr;
    QToolButton* sbtnHalfOpen = nullptr;
    QCheckBox* chkQuarterWave = nullptr;
    QLineEdit* edtQuarterWave = nullptr;
    QToolButton* sbtnQuarterOpen = nullptr;
    // "ｱﾗｰﾑ"
    QCheckBox* chkAlarmWave = nullptr;
    QLineEdit* edtAlarmWaveFile = nullptr;
    QToolButton* sbtnWaveOpen = nullptr;
    QCheckBox* chkAlarmBmp = nullptr;
    QLineEdit* edtAlarmBmpFile = nullptr;
    QToolButton* sbtnBmpOpen = nullptr;

    QWidget* BuildDirectoryPage();
    QWidget* BuildWallOptionsPage();
    QWidget* BuildSignalPage();
    QWidget* BuildAlarmPage();
    QLineEdit* NewPathField(const char* objectName, QWidget* parent);
    QToolButton* NewFolderButton(const char* objectName, QWidget* parent);
    // Accessible names for the fields, spins and picker buttons, whose captions
    // stand beside them or nowhere.
    void NameControls();
    QCheckBox* NewCheckBox(const char* objectName, const QString& caption, QWidget* parent);
    StepSpinEdit* NewSpin(const char* objectName, SpinRange range, QWidget* parent);

    // The picker buttons: the field changes only when the picker closed with OK.
    void PickDirectory(QLineEdit* field);
    void PickImageFile(QLineEdit* field, const std::string& fileTypes);
    void PickSoundFile(QLineEdit* field);

    platform::Help& help_;
    platform::Sound& sound_;
    std::string mountTable_;
};
