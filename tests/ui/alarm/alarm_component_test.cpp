// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm component: its poll runs exactly while armed, its checks keep the
// old values, and the event follows the clock service.

#include "alarm/alarm_component.h"
#include "base/ui/error_handler.h"
#include "base/zelvaro_error.h"
#include "platform/fake/fake_clock.h"

#include <QtTest>

class AlarmComponentTest : public QObject {
    Q_OBJECT

    static TDateTime At(int hour, int minute, int second = 0)
    {
        return EncodeDate(2026, 12, 7) + EncodeTime(hour, minute, second);
    }

private slots:
    void pollRunsExactlyWhileArmed()
    {
        platform::FakeClock clock;
        TAlarm alarm(clock);
        QCOMPARE(alarm.Enabled(), false);
        QCOMPARE(alarm.Hour(), 0);
        QCOMPARE(alarm.Minute(), 0);
        QVERIFY(!alarm.PollRunning());
        alarm.SetEnabled(true);
        QVERIFY(alarm.PollRunning());
        alarm.SetEnabled(true);  // acts on every write; still running
        QVERIFY(alarm.PollRunning());
        alarm.SetHour(5);  // changing the time does not change the state
        QVERIFY(alarm.PollRunning());
        alarm.SetEnabled(false);
        QVERIFY(!alarm.PollRunning());
    }

    void rangeErrorsKeepTheOldValue()
    {
        platform::FakeClock clock;
        TAlarm alarm(clock);
        alarm.SetHour(7);
        alarm.SetMinute(30);
        for (int bad : {0, 13}) {
            try {
                alarm.SetHour(bad);
                QFAIL("hour accepted");
            } catch (const ZelvaroError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Invalid value entered for Hour"));
            }
        }
        QCOMPARE(alarm.Hour(), 7);
        QVERIFY_THROWS_EXCEPTION(ZelvaroError, alarm.SetMinute(60));
        QCOMPARE(alarm.Minute(), 30);
        alarm.SetMinute(59);
        QCOMPARE(alarm.Minute(), 59);
    }

    void eventComesAtTheMinuteAndNotAtTheOtherHalfOfTheDay()
    {
        platform::FakeClock clock(At(7, 29, 58));
        TAlarm alarm(clock);
        alarm.SetHour(7);
        alarm.SetMinute(30);
        alarm.SetAmPm(TAmPm::am);
        int events = 0;
        TAlarm* sender = nullptr;
        std::string message = "unset";
        alarm.SetOnAlarm([&](TAlarm* s, const std::string& m) {
            ++events;
            sender = s;
            message = m;
        });
        alarm.SetEnabled(true);
        alarm.CheckAlarmTime();
        QCOMPARE(events, 0);
        clock.Set(At(7, 30, 1));
        alarm.CheckAlarmTime();
        clock.Set(At(7, 30, 59));
        alarm.CheckAlarmTime();  // armed: every poll in the minute raises it again
        QCOMPARE(events, 2);
        QCOMPARE(sender, &alarm);
        QCOMPARE(message, std::string());
        clock.Set(At(19, 30, 0));
        alarm.CheckAlarmTime();
        QCOMPARE(events, 2);
        alarm.SetHour(12);
        alarm.SetAmPm(TAmPm::pm);
        clock.Set(At(0, 30, 10));
        alarm.CheckAlarmTime();
        QCOMPARE(events, 3);
    }

    void theTimerDeliversThePollAndErrorsReachTheErrorBox()
    {
        platform::FakeClock clock(At(13, 5, 20));
        TAlarm alarm(clock);
        alarm.SetHour(1);
        alarm.SetMinute(5);
        alarm.SetAmPm(TAmPm::pm);
        QStringList shown;
        ErrorHandler::SetPresenter([&](const QString&, const QString& text) { shown << text; });
        int events = 0;
        alarm.SetOnAlarm([&](TAlarm* s, const std::string&) {
            ++events;
            s->SetEnabled(false);
            throw ZelvaroError("boom");
        });
        alarm.SetEnabled(true);
        QTRY_COMPARE_WITH_TIMEOUT(events, 1, 4000);
        QCOMPARE(shown, QStringList{QStringLiteral("boom.")});
        QVERIFY(!alarm.PollRunning());
        ErrorHandler::SetPresenter({});
    }

    void noHandlerNoEvent()
    {
        platform::FakeClock clock(At(1, 0));
        TAlarm alarm(clock);
        alarm.SetHour(1);
        alarm.SetEnabled(true);
        alarm.CheckAlarmTime();  // nothing assigned: nothing happens
        QVERIFY(alarm.PollRunning());
    }
};

QTEST_MAIN(AlarmComponentTest)
#include "alarm_component_test.moc"
