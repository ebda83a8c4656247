// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog's controls: tabs, ranges and steps, the spin fields'
// rules and the help topic.

#include "base/ui/error_handler.h"
#include "base/ui/step_spin_edit.h"
#include "options/config_dlg.h"
#include "options/open_wav.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_sound.h"
#include "tests/ui/control.h"
#include "tests/ui/options/modal_driver.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class ConfigDlgTest : public QObject {
    Q_OBJECT

    platform::FakeHelp help;
    platform::FakeSound sound;

private slots:
    void controlsHaveTheirRangesAndSteps()
    {
        TConfigDlg dialog(help, sound, "");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Zelvaroの設定"));
        QCOMPARE(Control<QTabWidget>(dialog, "OptionNote")->count(), 4);
        const QStringList tabs{"壁紙ﾃﾞｨﾚｸﾄﾘ", "壁紙ｵﾌﾟｼｮﾝ", "時報", "ｱﾗｰﾑ"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Control<QTabWidget>(dialog, "OptionNote")->tabText(i), tabs[i]);
        QCOMPARE(Control<QTabWidget>(dialog, "OptionNote")->currentIndex(), 0);
        QCOMPARE(Control<QPushButton>(dialog, "OKBtn")->text(), QStringLiteral("OK"));
        QVERIFY(Control<QPushButton>(dialog, "OKBtn")->isDefault());
        QCOMPARE(Control<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(Control<QPushButton>(dialog, "HelpBtn")->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));

        const struct {
            StepSpinEdit* spin;
            int minimum, maximum, step;
        } spins[] = {
            {Control<StepSpinEdit>(dialog, "spnDir2StartHour"), 0, 23, 1},
            {Control<StepSpinEdit>(dialog, "spnDir2StartMin"), 0, 55, 5},
            {Control<StepSpinEdit>(dialog, "spnDir2EndHour"), 0, 23, 1},
            {Control<StepSpinEdit>(dialog, "spnDir2EndMin"), 0, 55, 5},
            {Control<StepSpinEdit>(dialog, "spnDir3StartHour"), 0, 23, 1},
            {Control<StepSpinEdit>(dialog, "spnDir3StartMin"), 0, 55, 5},
            {Control<StepSpinEdit>(dialog, "spnDir3EndHour"), 0, 23, 1},
            {Control<StepSpinEdit>(dialog, "spnDir3EndMin"), 0, 55, 5},
            {Control<StepSpinEdit>(dialog, "spnInterval"), 10, 120, 5},
        };
        for (const auto& s : spins) {
            QCOMPARE(s.spin->minimum(), s.minimum);
            QCOMPARE(s.spin->maximum(), s.maximum);
            QCOMPARE(s.spin->singleStep(), s.step);
        }
        for (const char* name : {"sbtnDir1Open", "sbtnDir2Open", "sbtnDir3Open", "sbtnPanicOpen", "sbtnJustOpen",
                                 "sbtnHalfOpen", "sbtnQuarterOpen", "sbtnWaveOpen", "sbtnBmpOpen"})
            QVERIFY2(dialog.findChild<QToolButton*>(QString::fromLatin1(name)), name);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int i = 0; i < 4; ++i) {
            Control<QTabWidget>(dialog, "OptionNote")->setCurrentIndex(i);
            SaveShot(dialog, QStringLiteral("options_tab%1").arg(i + 1));
        }
        QTest::mouseClick(Control<QPushButton>(dialog, "HelpBtn"), Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_F1);
        QCOMPARE(help.requests, (std::vector<int>{31, 31}));
    }

    void spinFieldsHoldToRangeAndTakeOnlyDigits()
    {
        TConfigDlg dialog(help, sound, "");
        ConfigValues v;
        v.WallDir2Start = {8, 58};
        v.IntervalMinutes = 0;
        v.WallDir3End = {23, 37};
        dialog.Fill(v);
        QCOMPARE(Control<StepSpinEdit>(dialog, "spnDir2StartMin")->value(), 55);
        QCOMPARE(Control<StepSpinEdit>(dialog, "spnInterval")->value(), 10);
        Control<StepSpinEdit>(dialog, "spnInterval")->setValue(150);
        QCOMPARE(Control<StepSpinEdit>(dialog, "spnInterval")->value(), 120);

        StepSpinEdit* minute = Control<StepSpinEdit>(dialog, "spnDir3EndMin");
        QCOMPARE(minute->value(), 37);
        QList<int> seen;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(minute, Qt::Key_Up);
            seen << minute->value();
        }
        QCOMPARE(seen, (QList<int>{42, 47, 52, 55, 55}));
        QTest::keyClick(minute, Qt::Key_Down);
        QCOMPARE(minute->value(), 50);

        // Typed digits are taken, minutes read with two digits, letters are refused.
        QSignalSpy refused(minute, &StepSpinEdit::Refused);
        minute->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(minute, QStringLiteral("7x"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(minute->value(), 7);
        minute->setValue(5);
        QCOMPARE(minute->text(), QStringLiteral("05"));
        QCOMPARE(Control<StepSpinEdit>(dialog, "spnInterval")->text(), QStringLiteral("120"));
    }

    void pathsKeepTheirBytesAndLineBreaksAreRefused()
    {
        QStringList errors;
        ErrorHandler::SetPresenter([&](const QString&, const QString& text) { errors << text; });
        TConfigDlg::SetMissingFolderQuestion([](const QString&) { return true; });
        TConfigDlg dialog(help, sound, "");
        ConfigValues v;
        v.WallDir1 = "/home/u/caf\xE9";
        v.AlarmBmp = "/a/\xFF\xFE.bmp";
        dialog.Fill(v);
        QCOMPARE(dialog.Values().WallDir1, v.WallDir1);
        QCOMPARE(dialog.Values().AlarmBmp, v.AlarmBmp);

        // A pasted name with a line break: OK is refused on that field's page.
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        Control<QTabWidget>(dialog, "OptionNote")->setCurrentIndex(0);
        Control<QLineEdit>(dialog, "edtAlarmBmpFile")->setText(QStringLiteral("x\n[WallSw]\nWallInterval=abc.jpg"));
        Control<QPushButton>(dialog, "OKBtn")->click();
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains(QStringLiteral("x\\n[WallSw]\\nWallInterval=abc.jpg")));
        QCOMPARE(Control<QTabWidget>(dialog, "OptionNote")->currentIndex(), 3);
        Control<QLineEdit>(dialog, "edtAlarmBmpFile")->setText(QStringLiteral("/a/alarm.bmp"));
        Control<QPushButton>(dialog, "OKBtn")->click();
        QCOMPARE(accepted.count(), 1);
        ErrorHandler::SetPresenter({});
        TConfigDlg::SetMissingFolderQuestion({});
    }

    void aMissingWallpaperFolderIsKeptOnlyWhenTheUserSaysSo()
    {
        TConfigDlg dialog(help, sound, "");
        ConfigValues v;
        v.WallDir1 = QDir::tempPath().toStdString();
        v.WallDir2 = "/switched/off";
        v.WallDir3 = "/no/such/folder";
        v.WallDir3Sw = true;
        dialog.Fill(v);
        QStringList asked;
        bool keep = false;
        TConfigDlg::SetMissingFolderQuestion([&](const QString& question) {
            asked << question;
            return keep;
        });
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        Control<QTabWidget>(dialog, "OptionNote")->setCurrentIndex(3);
        Control<QPushButton>(dialog, "OKBtn")->click();
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(asked.size(), 1);  // neither the folder that is there nor the one switched off
        QVERIFY(asked.first().contains(QStringLiteral("/no/such/folder")));
        QCOMPARE(Control<QTabWidget>(dialog, "OptionNote")->currentIndex(), 0);  // shown where it is set
        keep = true;
        Control<QPushButton>(dialog, "OKBtn")->click();
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dialog.Values().WallDir3, "/no/such/folder");
        TConfigDlg::SetMissingFolderQuestion({});
    }

    // The sound picker of an empty field opens among the sounds that ship;
    // a field that names a file opens at that file's folder.
    void soundPickerOpensAmongTheShippedSounds()
    {
        QTemporaryDir shipped, own;
        QVERIFY(shipped.isValid() && own.isValid());
        const std::string ownFile = own.path().toStdString() + "/bell.wav";
        for (const char* field : {"", "own"}) {
            TConfigDlg dialog(help, sound, "");
            dialog.SetSoundFolder(shipped.path().toStdString());
            ConfigValues v;
            v.JustWave = *field ? ownFile : std::string();
            dialog.Fill(v);
            std::string opened;
            OnNextModal<TfrmOpenWav>([&](TfrmOpenWav& picker) {
                opened = picker.Directory();
                picker.reject();
            });
            Control<QToolButton>(dialog, "sbtnJustOpen")->click();
            QCOMPARE(QString::fromStdString(opened), *field ? own.path() : shipped.path());
        }
    }
};

QTEST_MAIN(ConfigDlgTest)
#include "config_dlg_test.moc"
