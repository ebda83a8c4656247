// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar panel driven by keys and clicks, offscreen.

#include "calendar/calen_pnl.h"
#include "platform/fake/fake_clock.h"

#include <QAccessible>
#include <QImage>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// Records which parts of the panel were painted.
class ProbePanel : public TCalenPnl {
public:
    using TCalenPnl::TCalenPnl;
    std::vector<QRegion> painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        painted.push_back(event->region());
        TCalenPnl::paintEvent(event);
    }
};

QPoint Centre(const CalRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

QRect ToQRect(const CalRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Text is smoothed, so its colour is judged by its strongest pixels.
enum class Ink { Red, Blue, Black };

int CountInk(const QImage& image, const QRect& area, Ink ink)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool dark = c.red() < 90 && c.green() < 90 && c.blue() < 90;
            switch (ink) {
            case Ink::Red: n += c.red() > 180 && c.green() < 90 && c.blue() < 90; break;
            case Ink::Blue: n += c.blue() > 180 && c.red() < 90 && c.green() < 90; break;
            case Ink::Black: n += dark; break;
            }
        }
    }
    return n;
}

}  // namespace

class CalenPnlTest : public QObject {
    Q_OBJECT

    platform::FakeClock clock{EncodeDateTime({1998, 8, 15}, {10, 30})};
    int beeps = 0;

    // A shown panel of the dialog's size, beeps counted.
    std::unique_ptr<ProbePanel> MakePanel(const QLocale& locale = QLocale(QLocale::English))
    {
        auto panel = std::make_unique<ProbePanel>(clock, nullptr, locale);
        panel->setGeometry(50, 50, 249, 193);
        panel->SetBorderWidth(6);
        panel->SetBeeper([this] { ++beeps; });
        panel->show();
        if (!QTest::qWaitForWindowExposed(panel.get()))
            qFatal("panel not exposed");
        panel->setFocus();
        QCoreApplication::processEvents();
        panel->painted.clear();
        return panel;
    }

    static void Settle() { QCoreApplication::processEvents(); }

private slots:
    void init() { beeps = 0; }

    void constructionHoldsTodaysDateWithoutTheTime()
    {
        const auto panel = MakePanel();
        QCOMPARE(panel->CalendarDate(), EncodeDate(1998, 8, 15));
        QCOMPARE(panel->Model().SelectedCell(), 21);
    }

    void keysMoveTheSelectionAndNeverFireTheEvent()
    {
        const auto panel = MakePanel();
        QSignalSpy changes(panel.get(), &TCalenPnl::OnDateChange);
        QTest::keyClick(panel.get(), Qt::Key_Right);
        QCOMPARE(panel->Model().Day(), 16);
        QTest::keyClick(panel.get(), Qt::Key_Down, Qt::ShiftModifier);  // shift is ignored
        QCOMPARE(panel->Model().Day(), 23);
        QTest::keyClick(panel.get(), Qt::Key_PageDown);
        QCOMPARE(panel->Model().Month(), 9);
        QTest::keyClick(panel.get(), Qt::Key_Home);
        QCOMPARE(panel->Model().Year(), 1999);
        QTest::keyClick(panel.get(), Qt::Key_End);
        QTest::keyClick(panel.get(), Qt::Key_PageUp);
        QTest::keyClick(panel.get(), Qt::Key_Up);
        QTest::keyClick(panel.get(), Qt::Key_Left);
        QCOMPARE(panel->CalendarDate(), EncodeDate(1998, 8, 15));
        QTest::keyClick(panel.get(), Qt::Key_A);  // outside the key map
        QCOMPARE(panel->CalendarDate(), EncodeDate(1998, 8, 15));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(beeps, 0);
    }

    void screenReadersFindTheMonthAndItsDatedDays()
    {
        const auto panel = MakePanel();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(panel.get());
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), panel->TitleText());
        // August 1998, then September after a month key: its days, dated,
        // the held one selected, each where it is drawn.
        for (const int days : {31, 30}) {
            QCOMPARE(table->childCount(), days);
            const int month = panel->Model().Month();
            for (int day = 1; day <= days; ++day) {
                QAccessibleInterface* cell = table->child(day - 1);
                QVERIFY(cell && cell->isValid());
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(cell->text(QAccessible::Name),
                         QLocale().toString(QDate(1998, month, day), QLocale::LongFormat));
                QCOMPARE(bool(cell->state().selected), day == panel->Model().Day());
                QCOMPARE(table->indexOfChild(cell), day - 1);
                const QRect drawn = panel->CellQRect(panel->Model().FirstWeekday() + day - 1);
                QCOMPARE(cell->rect().topLeft(), panel->mapToGlobal(drawn.topLeft()));
            }
            QVERIFY(!table->child(days));  // no day past the month's end
            QTest::keyClick(panel.get(), Qt::Key_PageDown);
        }
    }

    void refusedKeysBeepAndChangeNothing()
    {
        const auto panel = MakePanel();
        panel->SetCalendarDate(EncodeDate(1, 1, 3));
        QTest::keyClick(panel.get(), Qt::Key_Left);
        QTest::keyClick(panel.get(), Qt::Key_Left);
        QCOMPARE(panel->CalendarDate(), EncodeDate(1, 1, 1));
        QCOMPARE(beeps, 0);
        for (const auto key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_End})
            QTest::keyClick(panel.get(), key);
        QCOMPARE(beeps, 4);
        QCOMPARE(panel->CalendarDate(), EncodeDate(1, 1, 1));

        panel->SetCalendarDate(EncodeDate(9999, 12, 25));
        beeps = 0;
        for (const auto key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Home})
            QTest::keyClick(panel.get(), key);
        QCOMPARE(beeps, 3);
        QTest::keyClick(panel.get(), Qt::Key_Right);
        QCOMPARE(beeps, 3);
        QCOMPARE(panel->Model().Day(), 26);
    }

    void aMoveInsideTheMonthRepaintsOnlyTwoCells()
    {
        const auto panel = MakePanel();
        const CalendarGeometry g = panel->Geometry();
        QTest::keyClick(panel.get(), Qt::Key_Right);  // cell 21 -> 22
        Settle();
        QVERIFY(!panel->painted.empty());
        QRegion painted;
        for (const QRegion& r : panel->painted)
            painted += r;
        QCOMPARE(painted, QRegion(ToQRect(g.CellRect(21))) + QRegion(ToQRect(g.CellRect(22))));

        panel->painted.clear();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(panel.get(), Qt::Key_Down);  // the third into September: all again
        Settle();
        QRegion all;
        for (const QRegion& r : panel->painted)
            all += r;
        QVERIFY(all.contains(panel->rect()));
        QCOMPARE(panel->TitleText(), QStringLiteral("1998 Sep"));
    }

    void clicksOnDaysMoveAndFire()
    {
        const auto panel = MakePanel();
        const CalendarGeometry g = panel->Geometry();
        QSignalSpy changes(panel.get(), &TCalenPnl::OnDateChange);
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, Centre(g.CellRect(7)));  // 1 August 1998
        QCOMPARE(panel->Model().Day(), 1);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).value<TCalenPnl*>(), panel.get());
        QTest::mouseClick(panel.get(), Qt::RightButton, {}, Centre(g.CellRect(37)));  // any button
        QCOMPARE(panel->Model().Day(), 31);
        QCOMPARE(changes.count(), 2);

        // Blank cells and grid lines: nothing moves, nothing fires.
        for (const QPoint p : {Centre(g.CellRect(6)), Centre(g.CellRect(38)), QPoint(g.GridRect.Left, 100),
                               QPoint(150, g.GridRect.Bottom), QPoint(g.GridRect.Right, 100)}) {
            QTest::mouseClick(panel.get(), Qt::LeftButton, {}, p);
        }
        QCOMPARE(panel->Model().Day(), 31);
        QCOMPARE(changes.count(), 2);
        // A click on the line between cells 13 and 14 belongs to cell 13.
        const CalRect cell13 = g.CellRect(13);
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(cell13.Right, cell13.Top + 5));
        QCOMPARE(panel->Model().SelectedCell(), 13);
    }

    void monthButtonsAlwaysFire()
    {
        const auto panel = MakePanel();
        const CalendarGeometry g = panel->Geometry();
        QSignalSpy changes(panel.get(), &TCalenPnl::OnDateChange);
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, Centre(g.NextButton));
        QCOMPARE(panel->Model().Month(), 9);
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(g.PrevButton.Left, g.PrevButton.Top));
        QCOMPARE(panel->Model().Month(), 8);
        QCOMPARE(changes.count(), 2);

        panel->SetCalendarDate(EncodeDate(1, 1, 20));
        changes.clear();
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, Centre(g.PrevButton));
        QCOMPARE(panel->CalendarDate(), EncodeDate(1, 1, 20));
        QCOMPARE(beeps, 1);
        QCOMPARE(changes.count(), 1);  // even though refused

        // The title between the buttons is no button.
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, Centre(g.TitleRect));
        QCOMPARE(changes.count(), 1);
    }

    void withoutTheTitleRowThereAreNoButtons()
    {
        const auto panel = MakePanel();
        panel->SetShowDate(false);
        const CalendarGeometry g = panel->Geometry();
        QCOMPARE(g.HeaderRect.Height(), g.RowHeight);
        QSignalSpy changes(panel.get(), &TCalenPnl::OnDateChange);
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(g.HeaderRect.Left + 10, g.HeaderRect.Top + 5));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(panel->CalendarDate(), EncodeDate(1998, 8, 15));
    }

    void setCalendarDateWithTheHeldValueDoesNothing()
    {
        const auto panel = MakePanel();
        QSignalSpy changes(panel.get(), &TCalenPnl::OnDateChange);
        panel->SetCalendarDate(EncodeDate(1998, 8, 15));
        Settle();
        QCOMPARE(changes.count(), 0);
        QVERIFY(panel->painted.empty());
        panel->SetCalendarDate(EncodeDate(1998, 8, 15) + 0.5);
        Settle();
        QCOMPARE(changes.count(), 1);
        QVERIFY(!panel->painted.empty());
        panel->SetCalendarDate(std::nan(""));
        QCOMPARE(beeps, 1);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(panel->CalendarDate(), EncodeDate(1998, 8, 15) + 0.5);
    }

    void propertiesRepaintOnlyOnAChange()
    {
        const auto panel = MakePanel();
        panel->SetShowDate(true);
        panel->SetUseLongDate(false);
        panel->SetDayWidth(TDayWidth::dw2Char);
        panel->SetBorderWidth(6);
        Settle();
        QVERIFY(panel->painted.empty());
        panel->SetUseLongDate(true);
        Settle();
        QCOMPARE(panel->painted.size(), std::size_t{1});
        QCOMPARE(panel->TitleText(), QStringLiteral("1998 August"));
        panel->SetDayWidth(TDayWidth::dw3Char);
        Settle();
        QCOMPARE(panel->painted.size(), std::size_t{2});
        QCOMPARE(panel->DayNameText(1), QStringLiteral("Sun"));
    }

    void namesFollowTheLocale()
    {
        const auto english = MakePanel();
        QCOMPARE(english->DayNameText(1), QStringLiteral("Su"));
        QCOMPARE(english->DayNameText(7), QStringLiteral("Sa"));
        english->SetDayWidth(TDayWidth::dw1Char);
        QCOMPARE(english->DayNameText(2), QStringLiteral("M"));

        const auto japanese = MakePanel(QLocale(QLocale::Japanese, QLocale::Japan));
        QCOMPARE(japanese->DayNameText(1), QStringLiteral("日"));
        QCOMPARE(japanese->DayNameText(2), QStringLiteral("月"));
        QCOMPARE(japanese->DayNameText(7), QStringLiteral("土"));
        QCOMPARE(japanese->TitleText(), QStringLiteral("1998 8月"));
        japanese->SetDayWidth(TDayWidth::dw1Char);
        QCOMPARE(japanese->DayNameText(1), QString());  // half a character is never drawn
    }

    void drawingPutsColoursAndTheMarkInPlace()
    {
        const auto panel = MakePanel();
        const CalendarGeometry g = panel->Geometry();
        const QImage image = panel->grab().toImage();
        const QColor shadow = panel->palette().color(QPalette::Dark);
        const QColor highlight = panel->palette().color(QPalette::Light);
        // Sundays red, Saturdays blue, weekdays black; blank cells empty.
        const auto inside = [&](int k) { return ToQRect(g.CellRect(k)).adjusted(1, 1, -1, -1); };
        QVERIFY(CountInk(image, inside(8), Ink::Red) > 0);
        QCOMPARE(CountInk(image, inside(8), Ink::Blue), 0);
        QVERIFY(CountInk(image, inside(14), Ink::Blue) > 0);
        QCOMPARE(CountInk(image, inside(14), Ink::Red), 0);
        QVERIFY(CountInk(image, inside(10), Ink::Black) > 0);
        QCOMPARE(CountInk(image, inside(10), Ink::Red), 0);
        QCOMPARE(CountInk(image, inside(3), Ink::Black), 0);
        // The title is drawn.
        QVERIFY(CountInk(image, ToQRect(g.TitleRect), Ink::Black) > 0);
        // The sunken frame of 15 August (cell 21).
        const CalRect c = g.CellRect(21);
        QCOMPARE(image.pixel(c.Left, c.Top + 5), shadow.rgb());
        QCOMPARE(image.pixel(c.Left + 5, c.Top), shadow.rgb());
        QCOMPARE(image.pixel(c.Right - 1, c.Top + 5), highlight.rgb());
        QCOMPARE(image.pixel(c.Left + 5, c.Bottom - 1), highlight.rgb());
        // The separator and the month button outline.
        QCOMPARE(image.pixel(g.HeaderRect.Left + 3, g.GridRect.Top - 4), highlight.rgb());
        QCOMPARE(image.pixel(g.HeaderRect.Left + 3, g.GridRect.Top - 3), shadow.rgb());
        QCOMPARE(image.pixel(g.PrevButton.Left, g.PrevButton.Top + 8), shadow.rgb());
        // A panel too small for cells still paints its frame without harm.
        panel->resize(20, 20);
        QVERIFY(!panel->grab().isNull());
        QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(10, 10));
    }
};

QTEST_MAIN(CalenPnlTest)
#include "calen_pnl_test.moc"
