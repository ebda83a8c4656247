// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm time dialog: its controls and texts, fields that refuse typing
// and hold their ends, the quick-set buttons counted from the present moment,
// and the help topic.

#include "alarm/alarm_set_dialog.h"
#include "base/ui/step_spin_edit.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "tests/ui/control.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class AlarmSetDialogTest : public QObject {
    Q_OBJECT

    static TDateTime At(int hour, int minute, int second = 0)
    {
        return EncodeDate(2026, 12, 7) + EncodeTime(hour, minute, second);
    }

    static QPushButton* Button(QWidget& dialog, const char* name)
    {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!button)
            qFatal("no button %s", name);
        return button;
    }

private slots:
    void controlsCaptionsAndRanges()
    {
        platform::FakeClock clock;
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Zelvaro ｱﾗｰﾑの設定"));
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->minimum(), 0);
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->maximum(), 23);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->minimum(), 0);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->maximum(), 59);
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), 0);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->value(), 0);
        QCOMPARE(Control<QPushButton>(dialog, "NowButton")->text(), QStringLiteral("今の時刻"));
        QVERIFY(!Control<QPushButton>(dialog, "NowButton")->icon().isNull());
        QCOMPARE(Control<QGroupBox>(dialog, "GroupBox1")->title(), QStringLiteral("今の時刻にプラス"));
        QCOMPARE(Control<QPushButton>(dialog, "OKBtn")->text(), QStringLiteral("OK"));
        QVERIFY(Control<QPushButton>(dialog, "OKBtn")->isDefault());
        QCOMPARE(Control<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(Control<QPushButton>(dialog, "HelpBtn")->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
        bool colon = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            colon = colon || label->text() == QStringLiteral("：");
        QVERIFY(colon);

        // Two rows of four, in order.
        const char* names[] = {"SpeedButton1", "SpeedButton2", "SpeedButton4", "SpeedButton3",
                               "SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton8"};
        const char* captions[] = {"3分", "5分", "10分", "15分", "30分", "1時間", "2時間", "3時間"};
        auto* grid = qobject_cast<QGridLayout*>(Control<QGroupBox>(dialog, "GroupBox1")->layout());
        QVERIFY(grid);
        for (int i = 0; i < 8; ++i) {
            QPushButton* button = Button(dialog, names[i]);
            QCOMPARE(button->text(), QString::fromUtf8(captions[i]));
            int row = -1, column = -1, rs = 0, cs = 0;
            grid->getItemPosition(grid->indexOf(button), &row, &column, &rs, &cs);
            QCOMPARE(row, i / 4);
            QCOMPARE(column, i % 4);
        }
        // Fixed size.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    }

    void fieldsTakeTypedDigitsOnlyAndHoldTheirEnds()
    {
        platform::FakeClock clock;
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        StepSpinEdit* hour = Control<StepSpinEdit>(dialog, "HourSedit");
        QVERIFY(hour->hasFocus());  // the dialog opens on its first field
        hour->setValue(7);
        QSignalSpy refused(hour, &StepSpinEdit::Refused);
        hour->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(hour, QStringLiteral("19"));
        QCOMPARE(hour->value(), 19);
        QTest::keyClick(hour, Qt::Key_A);
        QTest::keyClick(hour, Qt::Key_PageUp);
        QCOMPARE(refused.count(), 2);
        QCOMPARE(hour->value(), 19);
        QTest::keyClick(hour, Qt::Key_Backspace);
        QCOMPARE(hour->value(), 1);
        hour->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(hour, QStringLiteral("30"));  // past the end: the 0 is not taken
        QCOMPARE(hour->value(), 3);
        hour->setValue(7);
        QCOMPARE(hour->text(), QStringLiteral("7"));
        // Minutes always read with two digits.
        Control<StepSpinEdit>(dialog, "MinSEdit")->setValue(6);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->text(), QStringLiteral("06"));

        QTest::keyClick(Control<StepSpinEdit>(dialog, "HourSedit"), Qt::Key_Up);
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), 8);
        Control<StepSpinEdit>(dialog, "HourSedit")->setValue(23);
        QTest::keyClick(Control<StepSpinEdit>(dialog, "HourSedit"), Qt::Key_Up);
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), 23);  // no wrap-around
        Control<StepSpinEdit>(dialog, "HourSedit")->stepUp();
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), 23);
        Control<StepSpinEdit>(dialog, "MinSEdit")->setValue(0);
        QTest::keyClick(Control<StepSpinEdit>(dialog, "MinSEdit"), Qt::Key_Down);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->value(), 0);
        // Values from code are held to the range too.
        Control<StepSpinEdit>(dialog, "MinSEdit")->setValue(75);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->value(), 59);
        Control<StepSpinEdit>(dialog, "HourSedit")->setValue(-3);
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), 0);
    }

    void enterIsOkAndEscapeIsCancelEvenInAField()
    {
        platform::FakeClock clock;
        platform::FakeHelp help;
        {
            TAlarmSetDlg dialog(clock, help);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            Control<StepSpinEdit>(dialog, "HourSedit")->setFocus();
            QTest::keyClick(Control<StepSpinEdit>(dialog, "HourSedit"), Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        {
            TAlarmSetDlg dialog(clock, help);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            Control<StepSpinEdit>(dialog, "MinSEdit")->setFocus();
            QTest::keyClick(Control<StepSpinEdit>(dialog, "MinSEdit"), Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
    }

    void nowAndQuickSetButtonsCountFromThePresentMoment_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("wantHour");
        QTest::addColumn<int>("wantMinute");
        QTest::newRow("3 min over the hour") << "SpeedButton1" << 10 << 58 << 45 << 11 << 1;
        QTest::newRow("30 min over midnight") << "SpeedButton5" << 23 << 50 << 0 << 0 << 20;
        QTest::newRow("3 h with seconds") << "SpeedButton8" << 22 << 30 << 10 << 1 << 30;
        QTest::newRow("30 min at 23:45:30") << "SpeedButton5" << 23 << 45 << 30 << 0 << 15;
        QTest::newRow("5 min") << "SpeedButton2" << 8 << 0 << 0 << 8 << 5;
        QTest::newRow("10 min") << "SpeedButton4" << 8 << 55 << 0 << 9 << 5;
        QTest::newRow("15 min") << "SpeedButton3" << 8 << 0 << 0 << 8 << 15;
        QTest::newRow("1 h") << "SpeedButton6" << 8 << 0 << 0 << 9 << 0;
        QTest::newRow("2 h") << "SpeedButton7" << 23 << 0 << 0 << 1 << 0;
        QTest::newRow("now drops the seconds") << "NowButton" << 18 << 7 << 59 << 18 << 7;
    }

    void nowAndQuickSetButtonsCountFromThePresentMoment()
    {
        QFETCH(QString, button);
        QFETCH(int, h);
        QFETCH(int, m);
        QFETCH(int, s);
        QFETCH(int, wantHour);
        QFETCH(int, wantMinute);
        platform::FakeClock clock(At(h, m, s));
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        Control<StepSpinEdit>(dialog, "HourSedit")->setValue(4);  // the fields' values play no part
        Control<StepSpinEdit>(dialog, "MinSEdit")->setValue(44);
        Button(dialog, button.toLatin1().constData())->click();
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), wantHour);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->value(), wantMinute);
        Button(dialog, button.toLatin1().constData())->click();  // twice gives the same
        QCOMPARE(Control<StepSpinEdit>(dialog, "HourSedit")->value(), wantHour);
        QCOMPARE(Control<StepSpinEdit>(dialog, "MinSEdit")->value(), wantMinute);
    }

    // "11", Tab, "14" typed as a person would: the echo follows each digit and
    // names the half of the day, or shows 24-hour time when the face does.
    void echoFollowsTypedDigits()
    {
        platform::FakeClock clock(At(23, 12));
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* echo = Control<QLabel>(dialog, "lblEcho");
        QCOMPARE(echo->text(), QStringLiteral("= 12:00 am"));
        auto* hour = Control<StepSpinEdit>(dialog, "HourSedit");
        auto* minute = Control<StepSpinEdit>(dialog, "MinSEdit");
        hour->setFocus();
        hour->selectAll();
        QTest::keyClicks(hour, QStringLiteral("1"));
        QCOMPARE(echo->text(), QStringLiteral("= 01:00 am"));
        QTest::keyClicks(hour, QStringLiteral("1"));
        QCOMPARE(echo->text(), QStringLiteral("= 11:00 am"));
        minute->setFocus();
        minute->selectAll();
        QTest::keyClicks(minute, QStringLiteral("14"));
        QCOMPARE(echo->text(), QStringLiteral("= 11:14 am"));
        hour->selectAll();
        QTest::keyClicks(hour, QStringLiteral("23"));
        QCOMPARE(echo->text(), QStringLiteral("= 11:14 pm"));
        dialog.SetClock24(true);
        QCOMPARE(echo->text(), QStringLiteral("= 23:14"));
        dialog.NowButtonClick();
        QCOMPARE(echo->text(), QStringLiteral("= 23:12"));
    }

    void helpOpensTheDialogsTopic()
    {
        platform::FakeClock clock;
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        Control<QPushButton>(dialog, "HelpBtn")->click();
        QCOMPARE(help.requests, std::vector<int>{29});
    }

    void rendersToPng()
    {
        platform::FakeClock clock(At(7, 30));
        platform::FakeHelp help;
        TAlarmSetDlg dialog(clock, help);
        dialog.NowButtonClick();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
        QDir().mkpath(dir);
        QVERIFY(dialog.grab().save(dir + QStringLiteral("/alarm_set_dialog.png")));
    }
};

QTEST_MAIN(AlarmSetDialogTest)
#include "alarm_set_dialog_test.moc"
