// SPDX-License-Identifier: GPL-3.0-or-later
// The help window beside modal dialogs: opened from a dialog it takes keys
// and clicks while the dialog stays open, and F1 in each dialog opens that
// dialog's topic.

#include "about/about_dlg.h"
#include "alarm/alarm_set_dialog.h"
#include "calendar/calendar_dlg.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_default_browser.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_launcher.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/files/disk_file_reader.h"
#include "shell/dialog_help_key.h"
#include "shell/help_window.h"
#include "shell/modal_dialogs_stay_up.h"
#include "sysinfo/info_dlg.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

class HelpWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    QString helpFile;
    platform::DiskFileReader files;

    // Runs `step` inside a modal dialog's own loop, then closes the dialog.
    static void InsideModalDialog(const std::function<void(QDialog&)>& step)
    {
        QDialog dialog;
        QTimer::singleShot(0, &dialog, [&] {
            step(dialog);
            dialog.reject();
        });
        dialog.exec();
    }

private slots:
    void aMinimisedModalDialogComesBackAnOrdinaryWindowStaysDown()
    {
        ModalDialogsStayUp keeper;
        qApp->installEventFilter(&keeper);
        QDialog dialog;
        dialog.setModal(true);
        dialog.show();
        dialog.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!dialog.isMinimized());
        QVERIFY(dialog.isVisible());
        QWidget window;
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        QTest::qWait(50);
        QVERIFY(window.isMinimized());
        qApp->removeEventFilter(&keeper);
    }

    void initTestCase()
    {
        QString topic29;
        for (int i = 0; i < 200; ++i)
            topic29 += QString("<p>line %1</p>").arg(i);
        helpFile = scratch.path() + "/zelvaro.HLP";
        QFile file(helpFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QString("<section id=\"ctx-0\"><a href=\"#ctx-29\">alarm</a></section>"
                           "<section id=\"ctx-29\"><a href=\"#ctx-0\">contents</a>%1</section>")
                       .arg(topic29)
                       .toUtf8());
    }

    void escapeAndCtrlWCloseTheWindow()
    {
        HelpWindow help(helpFile.toStdString(), files);
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::ControlModifier | Qt::Key_W}) {
            help.ShowContext(29);
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QTest::keyClick(help.windowHandle(), key.key(), key.keyboardModifiers());
            QVERIFY(!help.isVisible());
        }
    }

    void backGoesToThePreviousTopicAndAltHomeToTheContents()
    {
        HelpWindow help(helpFile.toStdString(), files);
        for (const int context : {29, 28, 31})
            help.ShowContext(context);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QWindow* window = help.windowHandle();
        QTest::keyClick(window, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(help.CurrentContext(), 28);
        QTest::keyClick(window, Qt::Key_Backspace);
        QCOMPARE(help.CurrentContext(), 29);
        QTest::keyClick(window, Qt::Key_Backspace);  // nothing before the first
        QCOMPARE(help.CurrentContext(), 29);
        QTest::keyClick(window, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(help.CurrentContext(), 0);
        // The same through the visible buttons, pressed from the keyboard.
        auto* back = help.findChild<QPushButton*>(QStringLiteral("helpBack"));
        auto* contents = help.findChild<QPushButton*>(QStringLiteral("helpContents"));
        QVERIFY(back && contents && back->isVisible() && !back->accessibleName().isEmpty());
        help.ShowContext(31);
        back->setFocus();
        QTest::keyClick(back, Qt::Key_Return);
        QCOMPARE(help.CurrentContext(), 0);
        contents->setFocus();
        help.ShowContext(31);
        QTest::keyClick(contents, Qt::Key_Space);
        QCOMPARE(help.CurrentContext(), 0);
        // A window larger than the screen is made to fit it.
        help.hide();
        help.resize(help.screen()->availableGeometry().size() + QSize(200, 200));
        help.ShowContext(29);
        QVERIFY(help.height() <= help.screen()->availableGeometry().height());
        QVERIFY(help.width() <= help.screen()->availableGeometry().width());
    }

    void helpOpenedFromAModalDialogTakesInput()
    {
        HelpWindow help(helpFile.toStdString(), files);
        int scrolledTo = 0;
        int followed = -1;
        bool stillOpen = false;
        bool closedInside = false;
        InsideModalDialog([&](QDialog& dialog) {
            help.ShowContext(29);
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QWindow* window = help.windowHandle();
            // Keys reach it (the window, as the display server delivers them).
            QTest::keyClick(window, Qt::Key_PageDown);
            QTest::keyClick(window, Qt::Key_PageDown);
            scrolledTo = help.verticalScrollBar()->value();
            // A click on a link is followed.
            help.verticalScrollBar()->setValue(0);
            const QRect link = help.cursorRect(help.document()->find("contents"));
            QTest::mouseClick(window, Qt::LeftButton, {}, help.viewport()->mapTo(&help, link.center()));
            followed = help.CurrentContext();
            stillOpen = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
            help.close();
            closedInside = !help.isVisible();
        });
        QVERIFY(scrolledTo > 0);
        QCOMPARE(followed, 0);
        QVERIFY(stillOpen);
        QVERIFY(closedInside);

        // After the dialog the help window belongs to no window again; a
        // second dialog opened later does not block it either.
        QCOMPARE(help.windowHandle()->transientParent(), nullptr);
        help.ShowContext(29);
        InsideModalDialog([&](QDialog&) {
            help.verticalScrollBar()->setValue(0);
            QTest::keyClick(help.windowHandle(), Qt::Key_PageDown);
            scrolledTo = help.verticalScrollBar()->value();
        });
        QVERIFY(scrolledTo > 0);
    }

    void f1InEachDialogOpensItsTopic()
    {
        platform::FakeHelp help;
        DialogHelpKey key(help);
        qApp->installEventFilter(&key);
        platform::FakeClock clock{EncodeDateTime({2026, 12, 7}, {14, 0, 20})};
        platform::FakeDefaultBrowser browser;
        platform::FakeLauncher launcher;
        platform::FakeSystemFacts facts;
        const AboutServices about{browser, launcher, facts};
        platform::MemoryRegistry registry;

        struct Case {
            std::function<std::unique_ptr<QDialog>()> make;
            int context;
        };
        const Case cases[] = {
            {[&] { return std::make_unique<TAlarmSetDlg>(clock, help); }, 29},
            {[&] { return std::make_unique<TCalendarDlg>(nullptr, clock, help); }, 28},
            {[&] { return std::make_unique<TfrmAboutDlg>(about); }, 19},
            {[&] { return std::make_unique<TfrmInfoDlg>(nullptr, facts, registry); }, 35},
            {[] { return std::make_unique<QDialog>(); }, 0},  // a window without a topic
        };
        for (const Case& c : cases) {
            help.requests.clear();
            const std::unique_ptr<QDialog> dialog = c.make();
            dialog->show();
            QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog.get();
            QTest::keyClick(target, Qt::Key_F1);
            QCOMPARE(help.requests, c.context ? std::vector<int>{c.context} : std::vector<int>{});
        }
        qApp->removeEventFilter(&key);
    }

    void topicsRenderToPng()
    {
        HelpWindow help(ZELVARO_HELP_FILE, files);
        const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
        QDir().mkpath(dir);
        for (int context : {0, 5, 19, 29}) {
            help.ShowContext(context);
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QVERIFY(!help.toPlainText().contains(QString::fromUtf8("このヘルプ項目")));
            QVERIFY(help.grab().save(dir + QString("/help_topic_%1.png").arg(context)));
        }
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
