// SPDX-License-Identifier: GPL-3.0-or-later
// The information dialog over a fake machine: its layout, the cells of its
// three tables, the bars of its three charts, and what an error leaves.

#include "base/ui/error_handler.h"
#include "base/ui/readable_colour.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_registry.h"
#include "sysinfo/bar_chart.h"
#include "sysinfo/info_dlg.h"
#include "sysinfo/page_control_ex.h"
#include "sysinfo/string_align_grid.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTranslator>

namespace {

constexpr std::uint64_t kMB = 1048576;

platform::FakeSystemFacts SmallMachine()
{
    platform::FakeSystemFacts facts;
    facts.memory = {75, 32 * kMB, 8 * kMB, 100 * kMB, 25 * kMB, 3072 * kMB, 3000 * kMB};
    facts.version = platform::OsVersion{6, 1, 42, -1, "Debian GNU/Linux 12 (bookworm)"};
    facts.computerName = "workstation";
    facts.tempDirectory = "/tmp/";
    facts.handles[0] = {25, 100};
    facts.handles[1] = {3, 1024};
    return facts;
}

QStringList Column(const TStringAlignGrid* grid, int col)
{
    QStringList cells;
    for (int row = 0; row < grid->rowCount(); ++row)
        cells << grid->Cell(col, row);
    return cells;
}

void SavePages(TfrmInfoDlg& dialog, const QString& prefix)
{
    const QString out = qEnvironmentVariable("ZELVARO_TEST_OUT");
    if (out.isEmpty())
        return;
    QDir().mkpath(out);
    for (int page = 0; page < Control<TPageControlEx>(dialog, "PageControlEx1")->count(); ++page) {
        Control<TPageControlEx>(dialog, "PageControlEx1")->setCurrentIndex(page);
        QApplication::processEvents();
        dialog.grab().save(QStringLiteral("%1/%2_%3.png").arg(out, prefix).arg(page));
    }
    Control<TPageControlEx>(dialog, "PageControlEx1")->setCurrentIndex(0);
}

}  // namespace

class InfoDlgTest : public QObject {
    Q_OBJECT

    QStringList errors;

private slots:
    void chartsTakeTheirGroundAndTextsFromThePalette()
    {
        // As drawn on a light palette; on a dark one dark, with every text
        // and the walls readable on it.
        struct Case {
            QColor ground, text;
        };
        for (const Case& c : {Case{Qt::white, Qt::black}, Case{QColor(30, 30, 30), QColor(230, 230, 230)}}) {
            TChart chart;
            QPalette palette = chart.palette();
            palette.setColor(QPalette::Base, c.ground);
            palette.setColor(QPalette::Text, c.text);
            chart.setPalette(palette);
            chart.AddBar(3, QStringLiteral("used"), Qt::gray);
            QCOMPARE(chart.chart()->backgroundBrush().color(), c.ground);
            QCOMPARE(chart.chart()->titleBrush().color(), c.text);
            int walls = 0;
            for (QGraphicsItem* item : chart.chart()->childItems()) {
                auto* wall = qgraphicsitem_cast<QGraphicsRectItem*>(item);
                // The chart's own ground and plot area are rectangles too.
                if (wall && wall->brush().style() != Qt::NoBrush && wall->brush().color() != c.ground) {
                    ++walls;
                    QVERIFY(Contrast(wall->brush().color(), c.ground) >= 4.5);
                } else if (auto* mark = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item)) {
                    QCOMPARE(mark->brush().color(), c.text);
                }
            }
            QCOMPARE(walls, 2);
        }
    }

    void init()
    {
        errors.clear();
        ErrorHandler::SetPresenter([this](const QString&, const QString& text) { errors << text; });
    }
    void cleanup() { ErrorHandler::SetPresenter({}); }

    void layoutAsDesigned()
    {
        platform::FakeSystemFacts facts = SmallMachine();
        platform::MemoryRegistry registry;
        TfrmInfoDlg dialog(nullptr, facts, registry);
        // It shows nothing of the file systems and asks none of them.
        QCOMPARE(facts.driveReads + facts.diskReads + facts.volumeReads, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("ｲﾝﾌｫﾒｰｼｮﾝ"));
        QCOMPARE(dialog.size(), QSize(489, 258));
        QCOMPARE(Control<TPageControlEx>(dialog, "PageControlEx1")->geometry(), QRect(8, 8, 369, 241));
        QCOMPARE(Control<QFrame>(dialog, "Bevel1")->geometry(), QRect(384, 32, 97, 57));
        QCOMPARE(Control<QFrame>(dialog, "Bevel2")->geometry(), QRect(0, 0, 489, 257));
        QCOMPARE(Control<QPushButton>(dialog, "BitBtn1")->geometry(), QRect(392, 48, 83, 25));

        // Tabs along the bottom, 90 wide, in this order, opening on the charts.
        TPageControlEx* pages = Control<TPageControlEx>(dialog, "PageControlEx1");
        QCOMPARE(pages->tabPosition(), QTabWidget::South);
        const QStringList captions = {"ｸﾞﾗﾌ", "ﾒﾓﾘ・ﾘｿｰｽ", "OS・ﾕｰｻﾞｰ", "ﾃﾞｨﾚｸﾄﾘ"};
        const QList<QWidget*> sheets = {Control<QWidget>(dialog, "TabSheet3"), Control<QWidget>(dialog, "TabSheet2"),
                                        Control<QWidget>(dialog, "TabSheet1"), Control<QWidget>(dialog, "TabSheet4")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(pages->widget(i), sheets[i]);
            QCOMPARE(pages->tabBar()->tabRect(i).width(), 90);
        }
        QCOMPARE(pages->currentWidget(), Control<QWidget>(dialog, "TabSheet3"));
        QVERIFY(pages->tabBar()->mapTo(pages, QPoint(0, 0)).y() > pages->height() / 2);

        for (TStringAlignGrid* grid :
             {Control<TStringAlignGrid>(dialog, "MemoryGrid"), Control<TStringAlignGrid>(dialog, "OSGrid"),
              Control<TStringAlignGrid>(dialog, "DirGrid")}) {
            QCOMPARE(grid->geometry(), QRect(8, 8, 342, 189));
            QCOMPARE(grid->rowCount(), 10);
            QCOMPARE(grid->columnCount(), 2);
            QCOMPARE(grid->columnWidth(0), 120);
            QCOMPARE(grid->columnWidth(1), 222);
            QVERIFY(!grid->isEnabled());
            QCOMPARE(grid->focusPolicy(), Qt::NoFocus);
            QCOMPARE(grid->selectionMode(), QAbstractItemView::NoSelection);
            QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        }
        QCOMPARE(Control<TChart>(dialog, "Chart1")->geometry(), QRect(8, 32, 105, 154));
        QCOMPARE(Control<TChart>(dialog, "Chart2")->geometry(), QRect(128, 32, 105, 154));
        QCOMPARE(Control<TChart>(dialog, "Chart3")->geometry(), QRect(248, 32, 105, 154));
        QVERIFY(errors.isEmpty());
        SavePages(dialog, QStringLiteral("info_dialog"));

        QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void tablesAndCharts()
    {
        platform::FakeSystemFacts facts = SmallMachine();
        platform::MemoryRegistry registry;
        registry.WriteString(platform::RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                             "RegisteredOwner", "Ann Example");
        TfrmInfoDlg dialog(nullptr, facts, registry);

        QCOMPARE(Column(Control<TStringAlignGrid>(dialog, "MemoryGrid"), 1),
                 QStringList({"3072.00 Mb", "32.00 Mb", "100.00 Mb", "75 %", "8.00 Mb", "3000.00 Mb", "25.00 Mb",
                              "75 %", "99 %", ""}));
        QCOMPARE(Column(Control<TStringAlignGrid>(dialog, "MemoryGrid"), 0).at(9), QString());
        QCOMPARE(
            Column(Control<TStringAlignGrid>(dialog, "OSGrid"), 0),
            QStringList({"ｺﾝﾋﾟｭｰﾀｰ名", "会社名", "ﾕｰｻﾞｰ名", "ﾌﾟﾗｯﾄﾌｫｰﾑ", "ﾊﾞｰｼﾞｮﾝ", "ﾋﾞﾙﾄﾞﾅﾝﾊﾞｰ", "", "", "", ""}));
        QCOMPARE(Column(Control<TStringAlignGrid>(dialog, "OSGrid"), 1),
                 QStringList({"workstation", "", "Ann Example", "Debian GNU/Linux 12 (bookworm)", "6.1", "#42", "", "",
                              "", ""}));
        QCOMPARE(
            Column(Control<TStringAlignGrid>(dialog, "DirGrid"), 0),
            QStringList({"起動ﾃﾞｨﾚｸﾄﾘ", "Windowsﾃﾞｨﾚｸﾄﾘ", "Systemﾃﾞｨﾚｸﾄﾘ", "Tempﾃﾞｨﾚｸﾄﾘ", "", "", "", "", "", ""}));
        QCOMPARE(Column(Control<TStringAlignGrid>(dialog, "DirGrid"), 1).mid(0, 5),
                 QStringList({"", QString::fromStdString(facts.windowsDirectory),
                              QString::fromStdString(facts.systemDirectory), "/tmp", ""}));

        struct Expected {
            TChart* chart;
            const char* title;
            double used, free;
            const char *usedMark, *freeMark;
        };
        const Expected charts[] = {
            {Control<TChart>(dialog, "Chart1"), "物理ﾒﾓﾘ", 24, 8, "使用 24 Mb", "空き 8 Mb"},
            {Control<TChart>(dialog, "Chart2"), "ｽﾜｯﾌﾟﾌｧｲﾙ", 75, 25, "使用 75 Mb", "空き 25 Mb"},
            {Control<TChart>(dialog, "Chart3"), "ﾕｰｻﾞｰﾘｿｰｽ", 25, 75, "使用 25 %", "空き 75 %"},
        };
        for (const Expected& e : charts) {
            QCOMPARE(e.chart->chart()->title(), QString::fromUtf8(e.title));
            QCOMPARE(e.chart->BarCount(), 2);
            QCOMPARE(e.chart->BarValue(0), e.used);
            QCOMPARE(e.chart->BarValue(1), e.free);
            QCOMPARE(e.chart->BarColour(0), QColor(128, 128, 128));
            QCOMPARE(e.chart->BarColour(1), QColor(0, 128, 0));
            QCOMPARE(e.chart->MarkText(0), QString::fromUtf8(e.usedMark));
            QCOMPARE(e.chart->MarkText(1), QString::fromUtf8(e.freeMark));
            QVERIFY(!e.chart->chart()->legend()->isVisible());
            // A screen reader hears the bars' values.
            QCOMPARE(e.chart->accessibleDescription(),
                     QString::fromUtf8(e.usedMark) + QStringLiteral(", ") + QString::fromUtf8(e.freeMark));
        }
    }

    void englishCaptionsAreNeverCutOff()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("zelvaro_en"), QStringLiteral(":/i18n")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        platform::FakeSystemFacts facts = SmallMachine();
        platform::MemoryRegistry registry;
        TfrmInfoDlg dialog(nullptr, facts, registry);
        QCoreApplication::removeTranslator(&english);
        // Sizes carry their unit in the charts too.
        QCOMPARE(Control<TChart>(dialog, "Chart1")->MarkText(0), QStringLiteral("Used 24 MB"));
        QCOMPARE(Control<TChart>(dialog, "Chart2")->MarkText(1), QStringLiteral("Free 25 MB"));
        QCOMPARE(Control<TChart>(dialog, "Chart3")->MarkText(1), QStringLiteral("Free 75 %"));
        SavePages(dialog, QStringLiteral("info_dlg_en"));
        for (const char* name : {"MemoryGrid", "OSGrid", "DirGrid"}) {
            auto* grid = Control<TStringAlignGrid>(dialog, name);
            QCOMPARE(grid->columnWidth(0) + grid->columnWidth(1), 342);
            for (int row = 0; row < 10; ++row)
                QVERIFY2(grid->fontMetrics().horizontalAdvance(grid->Cell(0, row)) < grid->columnWidth(0),
                         qPrintable(grid->Cell(0, row)));
        }
    }

    void anErrorLeavesWhatWasFilled()
    {
        platform::FakeSystemFacts facts = SmallMachine();
        platform::MemoryRegistry registry;
        registry.WriteDword(platform::RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                            "RegisteredOrganization", 1);
        TfrmInfoDlg dialog(nullptr, facts, registry);
        QCOMPARE(errors, QStringList({"Invalid data type for 'RegisteredOrganization'"}));
        QCOMPARE(Control<TStringAlignGrid>(dialog, "DirGrid")->Cell(0, 3), QString::fromUtf8("Tempﾃﾞｨﾚｸﾄﾘ"));
        QCOMPARE(Control<TStringAlignGrid>(dialog, "OSGrid")->Cell(1, 0), QStringLiteral("workstation"));
        QCOMPARE(Control<TStringAlignGrid>(dialog, "OSGrid")->Cell(1, 2), QString());
        QCOMPARE(Control<TStringAlignGrid>(dialog, "MemoryGrid")->Cell(1, 1), QString());
        QCOMPARE(Control<TChart>(dialog, "Chart1")->BarCount(), 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
};

QTEST_MAIN(InfoDlgTest)
#include "info_dlg_test.moc"
