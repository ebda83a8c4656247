// SPDX-License-Identifier: GPL-3.0-or-later
// The about box and the information charts on a dark palette at twice the
// scale, also with a larger font: every text reads (contrast >= 4.5:1) and no
// label box overlaps another, no chart mark a bar, the wall or another mark.

#include "../shell/fake_window_services.h"
#include "about/about_dlg.h"
#include "about/about_texts.h"
#include "alarm/alarm_notice.h"
#include "base/ui/readable_colour.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/memory_registry.h"
#include "sysinfo/bar_chart.h"
#include "sysinfo/info_dlg.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

namespace {

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

// The visible labels with text, but the title's shadow (a decoration under
// the title, not a text of its own).
QList<QLabel*> TextLabels(QWidget* window)
{
    QList<QLabel*> labels;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisibleTo(window) && !label->text().isEmpty() &&
            label->objectName() != QStringLiteral("lblApplicationNameShadow"))
            labels << label;
    return labels;
}

QString Overlaps(const std::vector<QRectF>& a, const std::vector<QRectF>& b, const char* what)
{
    QString found;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            if ((&a != &b || i < j) && a[i].intersects(b[j]))
                found += QStringLiteral("%1 %2 and %3 ").arg(QString::fromLatin1(what)).arg(i).arg(j);
    return found;
}

}  // namespace

class DarkAndScaledTest : public QObject {
    Q_OBJECT

    FakeAboutServices about;
    platform::MemoryRegistry registry;

    void CheckAboutBox(const QString& shot)
    {
        TfrmAboutDlg box(about.services);
        box.SetApplicationName(QString::fromUtf8(kAboutAppName));
        Control<QLabel>(box, "lblCopyright")->setText(QString::fromUtf8(kAboutCopyright));
        Control<QLabel>(box, "lblExtraInformation")->setText(QString::fromUtf8(kAboutExtraInfo));
        Control<QLabel>(box, "lblTargetOS")->setText(QString::fromUtf8(kAboutTargetOS));
        Control<QLabel>(box, "lblPhysicalMemory")->setText(QString::fromUtf8(kDefaultPhysicalMem));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QColor ground = box.palette().color(QPalette::Window);
        const QList<QLabel*> labels = TextLabels(&box);
        QVERIFY(labels.size() >= 8);
        for (QLabel* label : labels) {
            const double contrast = Contrast(label->palette().color(QPalette::WindowText), ground);
            QVERIFY2(contrast >= 4.5, qPrintable(label->objectName() + QStringLiteral(" %1").arg(contrast)));
            // The text's own box, not the stretch a layout gives the label.
            const QRect text = label->fontMetrics().boundingRect(QRect(QPoint(), label->size()),
                                                                 label->alignment() | Qt::TextWordWrap, label->text());
            QVERIFY2(QRect(QPoint(), label->size()).contains(text), qPrintable(label->objectName() + " is cut"));
            for (QLabel* other : labels) {
                if (other == label)
                    continue;
                const QRect a(label->mapTo(&box, QPoint()), label->size());
                const QRect b(other->mapTo(&box, QPoint()), other->size());
                QVERIFY2(!a.intersects(b), qPrintable(label->objectName() + " overlaps " + other->objectName()));
            }
        }
        const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
        QDir().mkpath(dir);
        box.grab().save(dir + QStringLiteral("/") + shot + QStringLiteral(".png"));
    }

    void CheckCharts(const QString& shot)
    {
        about.facts.memory.totalPhys = 16ull << 30;
        about.facts.memory.availPhys = about.facts.memory.totalPhys / 100;  // 99 % used: a full bar
        TfrmInfoDlg info(nullptr, about.facts, registry);
        info.show();
        QVERIFY(QTest::qWaitForWindowExposed(&info));
        const QList<TChart*> charts = info.findChildren<TChart*>();
        QCOMPARE(charts.size(), 3);
        for (TChart* chart : charts) {
            const std::vector<QRectF> bars = chart->BarRects();
            const std::vector<QRectF> marks = chart->MarkRects();
            QCOMPARE(marks.size(), bars.size());
            QString faults = Overlaps(marks, bars, "mark/bar") + Overlaps(marks, marks, "mark/mark");
            for (std::size_t i = 0; i < marks.size(); ++i) {
                const QRectF plot = chart->chart()->plotArea();
                if (marks[i].left() < plot.left() || marks[i].top() < 0 || marks[i].right() > chart->width())
                    faults += QStringLiteral("mark %1 outside the plot's columns ").arg(i);
            }
            QVERIFY2(faults.isEmpty(), qPrintable(chart->objectName() + ": " + faults));
        }
        const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
        info.grab().save(dir + QStringLiteral("/") + shot + QStringLiteral(".png"));
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }

    void aboutBoxReadsOnDarkAtTwiceTheScale() { CheckAboutBox(QStringLiteral("about_box_dark_2x")); }

    void aboutBoxKeepsItsLabelsApartWithALargerFont()
    {
        const QFont original = QApplication::font();
        QFont larger = original;
        larger.setPointSizeF(original.pointSizeF() * 1.6);
        QApplication::setFont(larger);
        CheckAboutBox(QStringLiteral("about_box_dark_large_font"));
        QApplication::setFont(original);
    }

    void chartMarksStandClearOfTheirBars() { CheckCharts(QStringLiteral("info_charts_dark_2x")); }

    void alarmNoticeReadsOnDarkAndKeepsItsMaroonOnLight()
    {
        platform::FakeSound sound;
        const auto colour = [](QLabel* label) {
            return QColor(label->styleSheet().section(QLatin1Char(' '), 1).remove(QLatin1Char(';')));
        };
        {
            TMsgDlg notice(sound);
            const QColor ground = notice.palette().color(QPalette::Window);
            QVERIFY(Contrast(colour(Control<QLabel>(notice, "Label1")), ground) >= 4.5);
            QVERIFY(Contrast(colour(Control<QLabel>(notice, "Label2")), ground) >= 4.5);
            QVERIFY(colour(Control<QLabel>(notice, "Label1")).red() >
                    colour(Control<QLabel>(notice, "Label1")).blue());  // still a red
        }
        QApplication::setPalette(QApplication::style()->standardPalette());
        TMsgDlg light(sound);
        QCOMPARE(colour(Control<QLabel>(light, "Label1")), QColor(0x80, 0, 0));
        QCOMPARE(colour(Control<QLabel>(light, "Label2")), QColor(0, 0, 0));
        QApplication::setPalette(DarkPalette());
    }

    void lightPaletteKeepsTheWrittenNavy()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        TfrmAboutDlg box(about.services);
        QCOMPARE(Control<QLabel>(box, "lblTargetOS")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QApplication::setPalette(DarkPalette());
        TfrmAboutDlg dark(about.services);
        QVERIFY(Control<QLabel>(dark, "lblTargetOS")->palette().color(QPalette::WindowText) != QColor(0, 0, 128));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    DarkAndScaledTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "dark_and_scaled_test.moc"
