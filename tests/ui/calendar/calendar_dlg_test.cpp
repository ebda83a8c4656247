// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar dialog: its controls, today's date on opening and on "今日"
// (not on a later activation), the help topic, and the modal command.

#include "calendar/calen_pnl.h"
#include "calendar/calendar_dlg.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class CalendarDlgTest : public QObject {
    Q_OBJECT

    platform::FakeClock clock{EncodeDateTime({2026, 12, 7}, {8, 15})};
    platform::FakeHelp help;

private slots:
    void controlsAreInPlace()
    {
        TCalendarDlg dialog(nullptr, clock, help);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Zelvaro のカレンダー"));
        QCOMPARE(dialog.size(), QSize(376, 224));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->geometry(), QRect(16, 16, 249, 193));
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->BorderWidth(), 6);
        QVERIFY(Control<TCalenPnl>(dialog, "CalenPnl1")->UseLongDate());
        QVERIFY(Control<TCalenPnl>(dialog, "CalenPnl1")->ShowDate());
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->DayWidth(), TDayWidth::dw2Char);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->font().pixelSize(), 13);
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn1")->text(), QStringLiteral("OK"));
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn1")->geometry(), QRect(280, 96, 73, 25));
        QVERIFY(Control<QPushButton>(dialog, "BitBtn1")->isDefault());
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn2")->text(), QStringLiteral("今日"));
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn2")->geometry(), QRect(280, 32, 73, 25));
        // The picture has both states, drawn from our own 32 x 16 strip.
        const QIcon icon = Control<QPushButton>(dialog, "BitBtn2")->icon();
        QVERIFY(!icon.isNull());
        const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
        const QImage greyed = icon.pixmap(16, 16, QIcon::Disabled).toImage();
        QVERIFY(normal != greyed);
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn3")->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn3")->geometry(), QRect(280, 136, 75, 25));
        QCOMPARE(Control<QFrame>(dialog, "Bevel1")->geometry(), QRect(272, 16, 89, 57));
    }

    void openingAndTodayReturnToTheCurrentDate()
    {
        TCalendarDlg dialog(nullptr, clock, help);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->CalendarDate(), clock.Now());
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Day(), 7);

        Control<TCalenPnl>(dialog, "CalenPnl1")->setFocus();
        QTest::keyClick(Control<TCalenPnl>(dialog, "CalenPnl1"), Qt::Key_End);
        QTest::keyClick(Control<TCalenPnl>(dialog, "CalenPnl1"), Qt::Key_End);
        QTest::keyClick(Control<TCalenPnl>(dialog, "CalenPnl1"), Qt::Key_PageUp);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Year(), 2024);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Month(), 11);

        // Coming back from the help window or another program keeps the
        // browsed month.
        clock.Advance(1.0 / 1440);
        QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &deactivate);
        QApplication::sendEvent(&dialog, &activate);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Year(), 2024);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Month(), 11);

        QSignalSpy changes(Control<TCalenPnl>(dialog, "CalenPnl1"), &TCalenPnl::OnDateChange);
        QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->CalendarDate(), clock.Now());
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Year(), 2026);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().SelectedCell(), 9);  // Monday of the second week
        QCOMPARE(changes.count(), 1);
        dialog.hide();

        // A later opening starts at today again.
        clock.Set(EncodeDateTime({2027, 2, 28}, {23, 59}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Month(), 2);
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->Model().Day(), 28);
        clock.Set(EncodeDateTime({2026, 12, 7}, {8, 15}));
    }

    void helpOpensTopic28()
    {
        TCalendarDlg dialog(nullptr, clock, help);
        help.requests.clear();
        QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn3"), Qt::LeftButton);
        QCOMPARE(help.requests, std::vector<int>{28});
    }

    void doCalendarShowsTheDialogModallyAndReleasesIt()
    {
        QWidget owner;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TCalendarDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            QCOMPARE(Control<TCalenPnl>(*dialog, "CalenPnl1")->Model().Month(), 12);
            QTest::mouseClick(Control<QPushButton>(*dialog, "BitBtn1"), Qt::LeftButton);
        });
        DoCalendar(&owner, clock, help);
        QVERIFY(seen);
        QVERIFY(owner.findChildren<TCalendarDlg*>().isEmpty());
    }

    void rendersToAPicture_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("title");
        QTest::newRow("english") << QLocale(QLocale::English) << QStringLiteral("2026 December");
        QTest::newRow("japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << QStringLiteral("2026 12月");
    }

    void rendersToAPicture()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, title);
        const QLocale before;
        QLocale::setDefault(locale);
        TCalendarDlg dialog(nullptr, clock, help);
        QLocale::setDefault(before);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(Control<TCalenPnl>(dialog, "CalenPnl1")->TitleText(), title);
        const QPixmap picture = dialog.grab();
        QCOMPARE(picture.size(), QSize(376, 224));
        const QString out = qEnvironmentVariable("ZELVARO_TEST_OUT");
        if (!out.isEmpty()) {
            QDir().mkpath(out);
            const QString name =
                QStringLiteral("/calendar_dialog_%1.png").arg(QString::fromLatin1(QTest::currentDataTag()));
            QVERIFY(picture.save(out + name));
        }
    }
};

QTEST_MAIN(CalendarDlgTest)
#include "calendar_dlg_test.moc"
