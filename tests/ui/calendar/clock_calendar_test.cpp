// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window opens the calendar: a left click on the clock face and
// the menu's calendar item both show the dialog at today's date.

#include "../shell/fake_window_services.h"
#include "calendar/calen_pnl.h"
#include "calendar/calendar_dlg.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_screen_saver.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/clock_window.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class ClockCalendarTest : public QObject {
    Q_OBJECT

    platform::FakeClock clock{EncodeDateTime({2026, 12, 7}, {14, 0, 20})};
    platform::FakeSound sound;
    platform::FakeHelp help;
    platform::FakeScreenSaver saver;
    platform::MemoryProfileFile profile;
    FakeWallpaperServices wallpaper;
    FakeAboutServices about;

    // Closes the dialog that opens next, after noting the date it shows.
    void CloseTheCalendarWhenItOpens(TDateTime& shown)
    {
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<TCalendarDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = Control<TCalenPnl>(*dialog, "CalenPnl1")->CalendarDate();
            dialog->close();
        });
    }

private slots:
    void leftClickOnTheFaceAndTheMenuItemOpenTheCalendar()
    {
        TfrmClock window(ClockServices{clock, sound, help, saver, profile, "/data/zelvaro", wallpaper.services,
                                       about.facts, about.services});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        TDateTime shown = 0;
        CloseTheCalendarWhenItOpens(shown);
        QTest::mouseClick(Control<ClockFace>(window, "lblClock"), Qt::LeftButton);
        QCOMPARE(shown, clock.Now());

        clock.Set(EncodeDateTime({2027, 1, 1}, {0, 0, 5}));
        shown = 0;
        CloseTheCalendarWhenItOpens(shown);
        Control<QAction>(window, "N6")->trigger();
        QCOMPARE(shown, clock.Now());
        QVERIFY(window.findChildren<TCalendarDlg*>().isEmpty());  // released after closing
    }
};

QTEST_MAIN(ClockCalendarTest)
#include "clock_calendar_test.moc"
