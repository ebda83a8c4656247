// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm commands as the clock window runs them: the dialog's presets,
// OK and Cancel, the off/on toggle, and the notice when the alarm rings,
// with the alarm, its indicator and the menu's check mark always agreeing.

#include "alarm/alarm_commands.h"
#include "alarm/alarm_notice.h"
#include "alarm/alarm_set_dialog.h"
#include "base/ui/error_handler.h"
#include "base/ui/step_spin_edit.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_sound.h"
#include "tests/ui/control.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

TDateTime At(int hour, int minute, int second = 0)
{
    return EncodeDate(2026, 12, 7) + EncodeTime(hour, minute, second);
}

// The clock window's alarm parts as they are after its start-up.
struct ClockParts {
    platform::FakeClock clock{At(9, 0)};
    platform::FakeSound sound;
    platform::FakeHelp help;
    ClockSettings settings;
    TAlarm Alarm1{clock};
    QWidget AlarmShape;
    QAction pmnuAlarmOff{QStringLiteral("ｱﾗｰﾑ停止")};
    std::unique_ptr<AlarmCommands> commands;

    ClockParts()
    {
        Alarm1.SetHour(1);
        Alarm1.SetMinute(0);
        Alarm1.SetAmPm(TAmPm::am);
        Alarm1.SetEnabled(false);
        AlarmShape.setVisible(false);
        pmnuAlarmOff.setCheckable(true);
        pmnuAlarmOff.setChecked(true);
        commands = std::make_unique<AlarmCommands>(Alarm1, AlarmShape, pmnuAlarmOff, settings, sound, clock, help);
    }

    void Arm(int hour, TAmPm ampm, int minute)
    {
        Alarm1.SetHour(hour);
        Alarm1.SetAmPm(ampm);
        Alarm1.SetMinute(minute);
        commands->pmnuAlarmOffClick();
    }

    // The three signs of the alarm's state agree, and say `armed`.
    bool Agree(bool armed) const
    {
        return Alarm1.Enabled() == armed && Alarm1.PollRunning() == armed && AlarmShape.isVisibleTo(nullptr) == armed &&
               !AlarmShape.isHidden() == armed && pmnuAlarmOff.isChecked() == !armed;
    }
};

}  // namespace

class AlarmCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void dialogPresetsFromTheArmedAlarmOnly_data()
    {
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("pm");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("shownHour");
        QTest::addColumn<int>("shownMinute");
        QTest::newRow("off shows 0:0") << false << 7 << false << 45 << 0 << 0;
        QTest::newRow("12 pm shows 0") << true << 12 << true << 5 << 0 << 5;
        QTest::newRow("12 am shows 12") << true << 12 << false << 0 << 12 << 0;
        QTest::newRow("3 pm shows 15") << true << 3 << true << 30 << 15 << 30;
        QTest::newRow("7 am shows 7") << true << 7 << false << 59 << 7 << 59;
    }

    void dialogPresetsFromTheArmedAlarmOnly()
    {
        QFETCH(bool, armed);
        QFETCH(int, hour);
        QFETCH(bool, pm);
        QFETCH(int, minute);
        QFETCH(int, shownHour);
        QFETCH(int, shownMinute);
        ClockParts parts;
        parts.Alarm1.SetHour(hour);
        parts.Alarm1.SetAmPm(pm ? TAmPm::pm : TAmPm::am);
        parts.Alarm1.SetMinute(minute);
        if (armed)
            parts.commands->pmnuAlarmOffClick();
        QVERIFY(parts.Agree(armed));
        int seenHour = -1, seenMinute = -1;
        QString seenEcho;
        bool disarmedWhileOpen = false;
        parts.commands->SetModalRunner([&](QDialog& dialog) {
            auto& set = static_cast<TAlarmSetDlg&>(dialog);
            seenHour = Control<StepSpinEdit>(set, "HourSedit")->value();
            seenMinute = Control<StepSpinEdit>(set, "MinSEdit")->value();
            seenEcho = Control<QLabel>(set, "lblEcho")->text();
            // Nothing rings while the time is edited; the check mark is untouched.
            disarmedWhileOpen = !parts.Alarm1.Enabled() && parts.AlarmShape.isHidden() &&
                                parts.pmnuAlarmOff.isChecked() == !armed;
            return int(QDialog::Rejected);
        });
        parts.commands->pmnuAlarmSetClick();
        QCOMPARE(seenHour, shownHour);
        QCOMPARE(seenMinute, shownMinute);
        QCOMPARE(seenEcho, QString::fromStdString("= " + AlarmEchoText(shownHour, shownMinute, false)));
        QVERIFY(disarmedWhileOpen);
        // Cancel puts everything back as it was, the stored time too.
        QVERIFY(parts.Agree(armed));
        QCOMPARE(parts.Alarm1.Hour(), hour);
        QCOMPARE(parts.Alarm1.Minute(), minute);
    }

    void okArmsTheNewTime_data()
    {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("pm");
        QTest::newRow("0:05 is 12 pm") << 0 << 5 << 12 << true;
        QTest::newRow("12:00 is 12 am") << 12 << 0 << 12 << false;
        QTest::newRow("13:05 is 1 pm") << 13 << 5 << 1 << true;
        QTest::newRow("11:59 is 11 am") << 11 << 59 << 11 << false;
        QTest::newRow("23:00 is 11 pm") << 23 << 0 << 11 << true;
    }

    void okArmsTheNewTime()
    {
        QFETCH(int, h);
        QFETCH(int, m);
        QFETCH(int, hour);
        QFETCH(bool, pm);
        for (bool armedBefore : {false, true}) {
            ClockParts parts;
            if (armedBefore)
                parts.Arm(4, TAmPm::am, 4);
            parts.commands->SetModalRunner([&](QDialog& dialog) {
                auto& set = static_cast<TAlarmSetDlg&>(dialog);
                Control<StepSpinEdit>(set, "HourSedit")->setValue(h);
                Control<StepSpinEdit>(set, "MinSEdit")->setValue(m);
                Control<QPushButton>(set, "OKBtn")->click();
                return dialog.result();
            });
            parts.commands->pmnuAlarmSetClick();
            QVERIFY(parts.Agree(true));
            QCOMPARE(parts.Alarm1.Hour(), hour);
            QCOMPARE(parts.Alarm1.AmPm(), pm ? TAmPm::pm : TAmPm::am);
            QCOMPARE(parts.Alarm1.Minute(), m);
            // And it rings at that hour of the day.
            QVERIFY(AlarmDue(parts.Alarm1.Hour(), parts.Alarm1.Minute(), parts.Alarm1.AmPm(), At(h, m, 30)));
        }
    }

    void offItemTogglesWithTheStoredTime()
    {
        ClockParts parts;
        QVERIFY(parts.Agree(false));
        parts.commands->pmnuAlarmOffClick();  // never set: 01:00
        QVERIFY(parts.Agree(true));
        QCOMPARE(parts.Alarm1.Hour(), 1);
        QCOMPARE(parts.Alarm1.Minute(), 0);
        QCOMPARE(parts.Alarm1.AmPm(), TAmPm::am);
        parts.commands->pmnuAlarmOffClick();
        QVERIFY(parts.Agree(false));
        QCOMPARE(parts.Alarm1.Hour(), 1);
    }

    void theNoticeRingsOnceWithItsTextsPictureAndLoopingSound()
    {
        ClockParts parts;
        parts.settings.AlarmWaveSw = true;
        parts.settings.AlarmWave = "/tmp/ring.wav";
        parts.Arm(1, TAmPm::pm, 5);
        parts.clock.Set(At(13, 5, 1));
        int notices = 0;
        QString caption, text1, text2;
        bool onTop = false, scrolling = false, soundWhileOpen = false, offWhileOpen = false;
        QSize pictureSize, controlSize;
        parts.commands->SetModalRunner([&](QDialog& dialog) {
            ++notices;
            auto& notice = static_cast<TMsgDlg&>(dialog);
            caption = notice.windowTitle();
            text1 = Control<QLabel>(notice, "Label1")->text();
            text2 = Control<QLabel>(notice, "Label2")->text();
            onTop = notice.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            scrolling = Control<TBMScroll>(notice, "BMScroll1")->ScrollIt() &&
                        Control<TBMScroll>(notice, "BMScroll1")->TimerRunning();
            pictureSize = Control<TBMScroll>(notice, "BMScroll1")->Bitmap().size();
            controlSize = Control<TBMScroll>(notice, "BMScroll1")->size();
            soundWhileOpen = parts.sound.playing == "/tmp/ring.wav" && parts.sound.looping;
            offWhileOpen = parts.Agree(false);
            // The poll keeps running under a modal notice: it must not ring again.
            parts.Alarm1.CheckAlarmTime();
            Control<QPushButton>(notice, "OKBtn")->click();
            return notice.result();
        });
        parts.Alarm1.CheckAlarmTime();
        QCOMPARE(notices, 1);
        QCOMPARE(caption, QStringLiteral("Zelvaro ｱﾗｰﾑ"));
        QCOMPARE(text1, QStringLiteral("指定の時間になりました"));
        QCOMPARE(text2, QStringLiteral("1時5分です (01:05 pm)"));
        QVERIFY(onTop);
        QVERIFY(scrolling);
        QCOMPARE(pictureSize, QSize(240, 180));
        QCOMPARE(controlSize, QSize(233, 129));
        QVERIFY(soundWhileOpen);
        QVERIFY(offWhileOpen);
        // Closing stops the sound at once; the alarm stays off, time kept.
        QVERIFY(parts.sound.playing.empty());
        QVERIFY(parts.Agree(false));
        QCOMPARE(parts.Alarm1.Hour(), 1);
        // Armed again inside the same minute, it rings again.
        parts.commands->pmnuAlarmOffClick();
        parts.Alarm1.CheckAlarmTime();
        QCOMPARE(notices, 2);
    }

    // The dial hour is 12 at both: the face's form says which half of the day.
    void midnightAndNoonSayWhichHalfOfTheDay()
    {
        struct Case {
            int h;
            bool hours24;
            const char* text;
        };
        for (const Case& c : {Case{0, false, "12時0分です (12:00 am)"}, Case{12, false, "12時0分です (12:00 pm)"},
                              Case{0, true, "12時0分です (00:00)"}, Case{12, true, "12時0分です (12:00)"}}) {
            ClockParts parts;
            parts.settings.Clock24 = c.hours24;
            const AlarmDial dial = AlarmDialFromHourOfDay(c.h);
            parts.Arm(dial.Hour, dial.AmPm, 0);
            QString text;
            parts.commands->SetModalRunner([&](QDialog& dialog) {
                text = Control<QLabel>(dialog, "Label2")->text();
                return int(QDialog::Accepted);
            });
            parts.commands->Alarm1Alarm(&parts.Alarm1, {});
            QCOMPARE(text, QString::fromUtf8(c.text));
        }
    }

    void silentUnlessBothSwitchAndFileAreSet_data()
    {
        QTest::addColumn<bool>("sw");
        QTest::addColumn<QString>("file");
        QTest::newRow("switch without file") << true << QString();
        QTest::newRow("file without switch") << false << QStringLiteral("/tmp/ring.wav");
    }

    void silentUnlessBothSwitchAndFileAreSet()
    {
        QFETCH(bool, sw);
        QFETCH(QString, file);
        ClockParts parts;
        parts.settings.AlarmWaveSw = sw;
        parts.settings.AlarmWave = file.toStdString();
        parts.Arm(1, TAmPm::am, 0);
        bool silent = false;
        parts.commands->SetModalRunner([&](QDialog&) {
            silent = parts.sound.playing.empty();
            return int(QDialog::Accepted);
        });
        parts.commands->Alarm1Alarm(&parts.Alarm1, {});
        QVERIFY(silent);
        for (const auto& call : parts.sound.calls)
            QVERIFY(call.file.empty());
    }

    void ownPictureOnlyWhenSwitchedOnAndAnErrorBoxInsteadOfANotice()
    {
        // Switched off: the built-in picture, whatever file is named.
        {
            ClockParts parts;
            parts.settings.AlarmBmpSw = false;
            parts.settings.AlarmBmp = "/nonexistent/picture.bmp";
            parts.Arm(1, TAmPm::am, 0);
            QSize size;
            parts.commands->SetModalRunner([&](QDialog& dialog) {
                size = Control<TBMScroll>(dialog, "BMScroll1")->Bitmap().size();
                return int(QDialog::Accepted);
            });
            parts.commands->Alarm1Alarm(&parts.Alarm1, {});
            QCOMPARE(size, QSize(240, 180));
        }
        // Switched on with a missing file: an error box, no notice, no sound,
        // and the alarm already off.
        {
            ClockParts parts;
            parts.settings.AlarmBmpSw = true;
            parts.settings.AlarmBmp = "/nonexistent/picture.bmp";
            parts.settings.AlarmWaveSw = true;
            parts.settings.AlarmWave = "/tmp/ring.wav";
            parts.Arm(1, TAmPm::am, 0);
            parts.clock.Set(At(1, 0, 3));
            QStringList errors;
            ErrorHandler::SetPresenter([&](const QString&, const QString& text) { errors << text; });
            int notices = 0;
            parts.commands->SetModalRunner([&](QDialog&) {
                ++notices;
                return int(QDialog::Accepted);
            });
            parts.Alarm1.CheckAlarmTime();
            ErrorHandler::SetPresenter({});
            QCOMPARE(notices, 0);
            QCOMPARE(errors.size(), 1);
            QVERIFY(parts.Agree(false));
            for (const auto& call : parts.sound.calls)
                QVERIFY(call.file.empty());
        }
    }

    void noticeRendersToPng()
    {
        platform::FakeSound sound;
        TMsgDlg notice(sound);
        Control<QLabel>(notice, "Label2")->setText(QString::fromStdString(AlarmTimeText(1, 5, "01:05 pm")));
        for (int tick = 0; tick < 60; ++tick)
            Control<TBMScroll>(notice, "BMScroll1")->ScrollTimerTick();
        notice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&notice));
        const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
        QDir().mkpath(dir);
        QVERIFY(notice.grab().save(dir + QStringLiteral("/alarm_notice.png")));
    }
};

QTEST_MAIN(AlarmCommandsTest)
#include "alarm_commands_test.moc"
