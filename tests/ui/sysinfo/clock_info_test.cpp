// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's information command opens the dialog and releases it.

#include "../shell/fake_window_services.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_help.h"
#include "platform/fake/fake_screen_saver.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/clock_window.h"
#include "sysinfo/info_dlg.h"
#include "sysinfo/string_align_grid.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class ClockInfoTest : public QObject {
    Q_OBJECT

private slots:
    void menuItemOpensTheDialog()
    {
        platform::FakeClock clock{EncodeDateTime({2026, 12, 7}, {14, 0, 20})};
        platform::FakeSound sound;
        platform::FakeHelp help;
        platform::FakeScreenSaver saver;
        platform::MemoryProfileFile profile;
        FakeWallpaperServices wallpaper;
        wallpaper.registry.WriteString(platform::RootKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                       "RegisteredOwner", "Owner in the registry");
        FakeAboutServices about;
        platform::FakeSystemFacts& facts = about.facts;
        facts.computerName = "from-the-fake";
        TfrmClock window(ClockServices{clock, sound, help, saver, profile, "/data/zelvaro", wallpaper.services, facts,
                                       about.services});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStringList shown;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<TfrmInfoDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown << Control<TStringAlignGrid>(*dialog, "OSGrid")->Cell(1, 0)
                  << Control<TStringAlignGrid>(*dialog, "OSGrid")->Cell(1, 2);
            dialog->close();
        });
        Control<QAction>(window, "N8")->trigger();
        // The window's own facts and registry.
        QCOMPARE(shown, QStringList({"from-the-fake", "Owner in the registry"}));
        QVERIFY(window.findChildren<TfrmInfoDlg*>().isEmpty());
    }
};

QTEST_MAIN(ClockInfoTest)
#include "clock_info_test.moc"
