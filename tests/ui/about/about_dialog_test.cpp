// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its texts, places and hidden resources line, Execute's
// result and events, the two launch lines, and "ﾊﾞｰｼﾞｮﾝ" on the clock window.

#include "../shell/fake_window_services.h"
#include "about/about_dlg.h"
#include "about/about_texts.h"
#include "about/am_custom_about_dialog.h"
#include "about/click_label.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_default_browser.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_launcher.h"
#include "platform/fake/fake_screen_saver.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/clock_window.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

class AboutDialogTest : public QObject {
    Q_OBJECT

    FakeAboutServices fakes;
    platform::FakeLauncher& launcher = fakes.launcher;
    platform::FakeDefaultBrowser& browser = fakes.browser;
    AboutServices& services = fakes.services;

public:
    AboutDialogTest() { fakes.facts.memory.totalPhys = std::uint64_t{32} << 20; }

    // Runs `step` on the about box once it is open.
    void WhenTheBoxOpens(std::function<void(TfrmAboutDlg&)> step)
    {
        QTimer::singleShot(0, this, [step] {
            auto* dialog = qobject_cast<TfrmAboutDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            step(*dialog);
        });
    }

private slots:
    void theClockWindowsTextsAndPlaces()
    {
        platform::FakeClock clock{EncodeDateTime({2026, 12, 7}, {14, 0, 20})};
        platform::FakeSound sound;
        platform::FakeHelp help;
        platform::FakeScreenSaver saver;
        platform::MemoryProfileFile profile;
        FakeWallpaperServices wallpaper;
        TfrmClock window(ClockServices{clock, sound, help, saver, profile, "/data/zelvaro", wallpaper.services,
                                       fakes.facts, services});

        QString caption, title, shadow, target, mem;
        bool resourcesShown = true, okDefault = false;
        QPoint shadowOffset;
        QFont titleFont;
        QColor titleColour, shadowColour;
        QSize size;
        QStringList hints, lines;
        WhenTheBoxOpens([&](TfrmAboutDlg& d) {
            caption = d.windowTitle();
            title = Control<QLabel>(d, "lblApplicationName")->text();
            shadow = Control<QLabel>(d, "lblApplicationNameShadow")->text();
            shadowOffset = Control<QLabel>(d, "lblApplicationNameShadow")->pos() -
                           Control<QLabel>(d, "lblApplicationName")->pos();
            titleFont = Control<QLabel>(d, "lblApplicationName")->font();
            titleColour = Control<QLabel>(d, "lblApplicationName")->palette().color(QPalette::WindowText);
            shadowColour = Control<QLabel>(d, "lblApplicationNameShadow")->palette().color(QPalette::WindowText);
            target = Control<QLabel>(d, "lblTargetOS")->text();
            mem = Control<QLabel>(d, "lblPhysicalMemory")->text() + "|" + Control<QLabel>(d, "lblPhMem")->text();
            resourcesShown = Control<QLabel>(d, "lblSystemResources")->isVisibleTo(&d) ||
                             Control<QLabel>(d, "lblSysRes")->isVisibleTo(&d);
            okDefault = Control<QPushButton>(d, "btnOk")->isDefault();
            size = d.size();
            hints << Control<QToolButton>(d, "SpeedButton1")->toolTip() << Control<ClickLabel>(d, "Label1")->toolTip()
                  << Control<QToolButton>(d, "RxSpeedButton2")->toolTip()
                  << Control<ClickLabel>(d, "Label2")->toolTip();
            lines << Control<ClickLabel>(d, "Label1")->text() << Control<ClickLabel>(d, "Label2")->text();
            Control<QPushButton>(d, "btnOk")->click();
        });
        Control<QAction>(window, "About1")->trigger();

        QCOMPARE(caption, QStringLiteral("about Zelvaro"));
        QCOMPARE(title, QStringLiteral("Zelvaro"));
        QCOMPARE(shadow, title);
        QCOMPARE(shadowOffset, QPoint(3, 3));
        QCOMPARE(titleFont.pixelSize(), 24);
        QVERIFY(titleFont.bold());
        QCOMPARE(titleColour, QColor(0, 0, 128));
        QCOMPARE(shadowColour, QColor(128, 128, 128));
        QCOMPARE(target, QStringLiteral("for Linux    version 1.6"));
        QCOMPARE(mem, QStringLiteral("Physical Memory Available to Linux:|32768 KB"));
        QVERIFY(!resourcesShown);
        QVERIFY(okDefault);
        // At least its designed size; a larger font makes it larger.
        QVERIFY(size.width() >= TfrmAboutDlg::kWidth && size.height() >= TfrmAboutDlg::kHeight);
        const QString mail = QString::fromUtf8("メールプログラムを起動します");
        const QString web = QString::fromUtf8("WEBブラウザを起動します");
        QCOMPARE(hints, (QStringList{mail, mail, web, web}));
        QVERIFY(lines[0].startsWith("Email : ") && lines[0].contains("@example.org"));
        QVERIFY(lines[1].startsWith("HomePage : ") && lines[1].contains("example.org"));
        QVERIFY(window.findChildren<TfrmAboutDlg*>().isEmpty());
    }

    void executeResultAndEventsForEachWayOut()
    {
        struct Way {
            const char* name;
            std::function<void(TfrmAboutDlg&)> close;
            bool result;
        };
        const Way ways[] = {
            {"OK", [](TfrmAboutDlg& d) { Control<QPushButton>(d, "btnOk")->click(); }, true},
            {"Enter", [](TfrmAboutDlg& d) { QTest::keyClick(&d, Qt::Key_Return); }, true},
            {"Esc (OK is the cancel button)", [](TfrmAboutDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, true},
            {"close box", [](TfrmAboutDlg& d) { d.close(); }, false},
        };
        for (const Way& way : ways) {
            TAMCustomAboutDialog about(services);
            QStringList events;
            bool boxSeenInside = false;
            about.OnExecute = [&](TAMCustomAboutDialog* sender) {
                QCOMPARE(sender, &about);
                events << "OnExecute";
            };
            about.OnExecuted = [&](TAMCustomAboutDialog*) {
                events << "OnExecuted";
                boxSeenInside = QApplication::activeModalWidget() != nullptr;
            };
            WhenTheBoxOpens([&](TfrmAboutDlg& d) {
                events << "shown";
                way.close(d);
            });
            QCOMPARE(about.Execute(), way.result);
            QCOMPARE(events, (QStringList{"OnExecute", "shown", "OnExecuted"}));
            QVERIFY2(!boxSeenInside, way.name);
        }
    }

    void emptyTextsFallBackToTheApplication()
    {
        TAMCustomAboutDialog about(services);
        about.SetHint("icon hint");
        QVERIFY(about.ShowHint);
        QString caption, title, hint, target;
        WhenTheBoxOpens([&](TfrmAboutDlg& d) {
            caption = d.windowTitle();
            title = Control<QLabel>(d, "lblApplicationName")->text();
            hint = Control<QLabel>(d, "imgIcon")->toolTip();
            target = Control<QLabel>(d, "lblTargetOS")->text();
            d.accept();
        });
        about.Execute();
        QCOMPARE(caption, QStringLiteral("About Zelvaro Ver.1.6"));
        QCOMPARE(title, QStringLiteral("Zelvaro Ver.1.6"));
        QCOMPARE(hint, QStringLiteral("icon hint"));
        QCOMPARE(target, QStringLiteral("Linux"));
    }

    void theTwoLinesStartMailAndBrowser()
    {
        browser.commandLine = "web --new %u";
        TfrmAboutDlg dialog(services);
        launcher.started.clear();
        launcher.opened.clear();
        QTest::mouseClick(Control<ClickLabel>(dialog, "Label1"), Qt::LeftButton);
        Control<QToolButton>(dialog, "SpeedButton1")->click();
        QTest::mouseClick(Control<ClickLabel>(dialog, "Label2"), Qt::LeftButton);
        Control<QToolButton>(dialog, "RxSpeedButton2")->click();
        QCOMPARE(launcher.opened.size(), 2u);
        QCOMPARE(QString::fromStdString(launcher.opened[0]), QStringLiteral("mailto:zelvaro@example.org"));
        // The empty space right of an address starts nothing.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QLabel* line : {Control<QLabel>(dialog, "Label1"), Control<QLabel>(dialog, "Label2")}) {
            const QPoint beyond(line->geometry().right() + 8, line->geometry().center().y());
            QVERIFY(beyond.x() < dialog.width());
            QTest::mouseClick(dialog.childAt(beyond) ? dialog.childAt(beyond) : &dialog, Qt::LeftButton, {},
                              (dialog.childAt(beyond) ? dialog.childAt(beyond)->mapFrom(&dialog, beyond) : beyond));
        }
        QCOMPARE(launcher.opened.size(), 2u);
        QCOMPARE(launcher.started.size(), 2u);
        QCOMPARE(launcher.started[0].program, std::string("web"));
        QCOMPARE(launcher.started[0].arguments, (std::vector<std::string>{"--new", "https://zelvaro.example.org/"}));
    }

    void rendersToPng()
    {
        TAMCustomAboutDialog about(services);
        about.AppName = kAboutAppName;
        about.Caption = kAboutCaption;
        about.Copyright = kAboutCopyright;
        about.ExtraInfo = kAboutExtraInfo;
        about.TargetOS = kAboutTargetOS;
        about.Icon = QIcon(QStringLiteral(":/shell/zelvaro_icon.xpm"));
        bool saved = false;
        WhenTheBoxOpens([&](TfrmAboutDlg& d) {
            const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
            QDir().mkpath(dir);
            saved = d.grab().save(dir + QStringLiteral("/about_box.png"));
            d.accept();
        });
        about.Execute();
        QVERIFY(saved);
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
