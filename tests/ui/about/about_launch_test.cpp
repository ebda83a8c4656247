// SPDX-License-Identifier: GPL-3.0-or-later
// The about box's two lines end to end: the browser the desktop's MIME
// associations name (a made-up one in scratch XDG directories, whose program
// writes its arguments to a file) and the desktop's opener for the mail line
// (a made-up xdg-open first in PATH).

#include "about/about_dlg.h"
#include "about/click_label.h"
#include "platform/fake/fake_system_facts.h"
#include "platform/linux/session/process_launcher.h"
#include "platform/linux/session/xdg_default_browser.h"
#include "tests/ui/control.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& text, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A program that writes one argument a line to `out`.
QByteArray Recorder(const QString& out)
{
    return "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + out.toUtf8() + ".tmp\"\nmv \"" +
           out.toUtf8() + ".tmp\" \"" + out.toUtf8() + "\"\n";
}

QStringList WaitForLines(const QString& path)
{
    for (int i = 0; i < 200 && !QFile::exists(path); ++i)
        QTest::qWait(25);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class AboutLaunchTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;

private slots:
    void initTestCase()
    {
        QVERIFY(scratch.isValid());
        const QString root = scratch.path();
        qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", (root + "/etc-xdg").toUtf8());
        qputenv("XDG_DATA_HOME", (root + "/data").toUtf8());
        qputenv("XDG_DATA_DIRS", (root + "/share").toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "");
        qputenv("PATH", (root + "/bin:" + qgetenv("PATH")).toUtf8());
    }

    void theLinesStartTheDesktopsBrowserAndMailOpener()
    {
        const QString root = scratch.path();
        WriteFile(root + "/tools/my browser", Recorder(root + "/browser-args"), true);
        WriteFile(root + "/share/applications/made-up-web.desktop",
                  "[Desktop Entry]\nType=Application\nName=Made-up Web\nExec=\"" + root.toUtf8() +
                      "/tools/my browser\" --new-window %u\n");
        WriteFile(root + "/config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/http=made-up-web.desktop\n");
        WriteFile(root + "/bin/xdg-open", Recorder(root + "/opener-args"), true);

        const platform::FakeSystemFacts facts;
        const platform::XdgDefaultBrowser browser;
        platform::ProcessLauncher launcher;
        const AboutServices services{browser, launcher, facts};
        TfrmAboutDlg dialog(services);
        QTest::mouseClick(Control<ClickLabel>(dialog, "Label2"), Qt::LeftButton);
        QCOMPARE(WaitForLines(root + "/browser-args"),
                 (QStringList{"--new-window", QString::fromStdString(dialog.GoToWeb1.Url)}));
        QTest::mouseClick(Control<ClickLabel>(dialog, "Label1"), Qt::LeftButton);
        QCOMPARE(WaitForLines(root + "/opener-args"),
                 (QStringList{"mailto:" + QString::fromStdString(dialog.GoToWeb1.EMail)}));

        // A browser entry whose program is gone: the line reports the failure.
        WriteFile(root + "/share/applications/made-up-web.desktop",
                  "[Desktop Entry]\nType=Application\nName=Gone\nExec=/nonexistent/web %u\n");
        QVERIFY(!dialog.GoToWeb1.OpenUrl());
    }
};

QTEST_MAIN(AboutLaunchTest)
#include "about_launch_test.moc"
