// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's options command and its tile and centre commands, over
// fakes: OK copies back, applies and saves; Cancel changes nothing.

#include "base/ui/step_spin_edit.h"
#include "image/views/image_info_box.h"
#include "options/config_dlg.h"
#include "options/open_bmp.h"
#include "tests/ui/control.h"
#include "tests/ui/options/modal_driver.h"
#include "tests/ui/platform/test_bitmap.h"
#include "tests/ui/shell/clock_window_fixture.h"
#include "wallpaper/image_wall_converter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <fstream>

namespace {

const char* kIni = "[Location]\nOffsetX=10\nOffsetY=20\nOnTop=0\n"
                   "[WallDir]\nWallDir1=/Walls/Main\n"
                   "[WallTime]\nWallDir2StartTime=8:58:30\n"
                   "[WallSw]\nWallChangeSw=1\nWallInterval=1:30:00\n"
                   "[WaveSw]\nUseWaveSw=1\n";

// A clock window whose commands are the real ones.
struct OptionsFixture : ClockFixture {
    std::unique_ptr<TfrmClock> clockWindow;
    TfrmClock& Open(const std::string& ini = kIni)
    {
        profile.content = ini;
        clockWindow = std::make_unique<TfrmClock>(ClockServices{clock, sound, help, saver, profile, "/data/zelvaro",
                                                                wallpaperFakes.services, aboutFakes.facts,
                                                                aboutFakes.services});
        return *clockWindow;
    }
    ~OptionsFixture() { clockWindow.reset(); }
};

}  // namespace

class OptionsCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QByteArray home;
    QByteArray config;

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        WriteTestBmp((root.path() + QStringLiteral("/Tile.BMP")).toStdString(), 2, 2, std::vector<std::uint32_t>(4, 0));
        // The settings name folders this machine lacks: they are kept.
        TConfigDlg::SetMissingFolderQuestion([](const QString&) { return true; });
        // A picker without a file or folder to start from opens at home
        // (there is no pictures folder there): the test's folder.
        home = qgetenv("HOME");
        config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", root.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (root.path() + QStringLiteral("/config")).toUtf8());
    }
    void cleanupTestCase()
    {
        TConfigDlg::SetMissingFolderQuestion({});
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
    }
    void init() { QVERIFY(QDir::setCurrent(root.path())); }

    void cancelAfterEditsAndPickersChangesNothing()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open();
        const ClockSettings before = window.Settings();
        const auto fileBefore = f.profile.content;
        const int preloads = f.sound.preloads;
        OnNextModal<TConfigDlg>([&](TConfigDlg& dialog) {
            Control<QCheckBox>(dialog, "chkOnTop")->setChecked(true);
            Control<StepSpinEdit>(dialog, "spnInterval")->setValue(45);
            Control<QLineEdit>(dialog, "edtPanic")->setText(QStringLiteral("/x.bmp"));
            OnNextModal<TfrmOpenBmp>([](TfrmOpenBmp& picker) { Control<QPushButton>(picker, "btnOK")->click(); },
                                     &dialog);
            Control<QToolButton>(dialog, "sbtnDir1Open")->click();
            QCOMPARE(Control<QLineEdit>(dialog, "edtWalldir1")->text(), root.path());
            Control<QPushButton>(dialog, "CancelBtn")->click();
        });
        window.ShowOptionsDialog();
        QCOMPARE(f.profile.content, fileBefore);
        QCOMPARE(f.profile.writes, 0);
        QCOMPARE(f.sound.preloads, preloads);
        QCOMPARE(window.Settings().WallDir1, before.WallDir1);
        QCOMPARE(window.Settings().WallInterval, before.WallInterval);
        QVERIFY(!window.Settings().OnTop);
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    void okCopiesBackAppliesOnTopAndSaves()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open();
        const int preloads = f.sound.preloads;
        OnNextModal<TConfigDlg>([&](TConfigDlg& dialog) {
            QCOMPARE(Control<StepSpinEdit>(dialog, "spnDir2StartHour")->value(), 8);
            QCOMPARE(Control<StepSpinEdit>(dialog, "spnDir2StartMin")->value(), 55);
            QCOMPARE(Control<StepSpinEdit>(dialog, "spnInterval")->value(), 90);
            Control<StepSpinEdit>(dialog, "spnInterval")->setValue(120);
            Control<QCheckBox>(dialog, "chkOnTop")->setChecked(true);
            // A file button closed with OK and no file empties its field.
            Control<QLineEdit>(dialog, "edtPanic")->setText(QStringLiteral("/old.bmp"));
            OnNextModal<TfrmOpenBmp>([](TfrmOpenBmp& picker) { Control<QPushButton>(picker, "btnOK")->click(); },
                                     &dialog);
            Control<QToolButton>(dialog, "sbtnPanicOpen")->click();
            QCOMPARE(Control<QLineEdit>(dialog, "edtPanic")->text(), QString());
            Control<QPushButton>(dialog, "OKBtn")->click();
        });
        window.ShowOptionsDialog();
        QCOMPARE(f.sound.preloads, preloads + 1);  // the sounds the new values name are decoded
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        const std::string& file = *f.profile.content;
        QVERIFY(file.find("WallInterval=2:00:00") != std::string::npos);
        QVERIFY(file.find("WallDir2StartTime=8:55:00") != std::string::npos);
        QVERIFY(file.find("UseWaveSw=1") != std::string::npos);
        QVERIFY(file.find("OnTop=1") != std::string::npos);
        QVERIFY(file.find("WallDir1=/Walls/Main") != std::string::npos);
    }

    void wallChangeSwitchMovesThePauseItemAndTheNextChange()
    {
        struct Case {
            const char* name;
            bool wasOn, paused, check;
            bool enabled, pausedAfter, changeNow;
        };
        const Case cases[] = {
            {"off to on", false, false, true, true, false, true},
            {"on stays on, pause ends", true, true, true, true, false, false},
            {"on to off", true, false, false, false, false, false},
        };
        for (const Case& c : cases) {
            OptionsFixture f;
            TfrmClock& window = f.Open(std::string("[WallSw]\nWallChangeSw=") + (c.wasOn ? "1" : "0") + "\n");
            Control<QAction>(window, "pmnuWallPause")->setChecked(c.paused);
            f.clock.Advance(3.0 / 1440);
            const TDateTime nextBefore = Control<WallpaperManager>(window, "Wallpaper")->NextWallChange();
            OnNextModal<TConfigDlg>([&](TConfigDlg& dialog) {
                Control<QCheckBox>(dialog, "chkWallChange")->setChecked(c.check);
                Control<QPushButton>(dialog, "OKBtn")->click();
            });
            window.ShowOptionsDialog();
            QVERIFY2(Control<QAction>(window, "pmnuWallPause")->isEnabled() == c.enabled, c.name);
            QVERIFY2(Control<QAction>(window, "pmnuWallPause")->isChecked() == c.pausedAfter, c.name);
            if (c.changeNow)
                QCOMPARE(Control<WallpaperManager>(window, "Wallpaper")->NextWallChange(), f.clock.Now());
            else
                QCOMPARE(Control<WallpaperManager>(window, "Wallpaper")->NextWallChange(), nextBefore);
        }
    }

    // The dialog's help promises the change right after OK: the tick is
    // planned again at once instead of at the next minute.
    void okWithRotationSwitchedOnAppliesTheNextPictureAtOnce()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open("[WallDir]\nWallDir1=" + root.path().toStdString() + "\n[WallSw]\nWallChangeSw=0\n");
        window.Timer1Timer();  // the first tick: the next one is planned for the next minute
        QVERIFY(Control<QTimer>(window, "Timer1")->remainingTime() > 1000);
        OnNextModal<TConfigDlg>([&](TConfigDlg& dialog) {
            Control<QCheckBox>(dialog, "chkWallChange")->setChecked(true);
            Control<QPushButton>(dialog, "OKBtn")->click();
        });
        window.ShowOptionsDialog();
        QTRY_COMPARE_WITH_TIMEOUT(f.desktop.shown, (root.path() + QStringLiteral("/Tile.BMP")).toStdString(), 1000);
    }

    void failedSaveShowsTheErrorAndKeepsTheValues()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open();
        f.profile.writesFail = true;
        OnNextModal<TConfigDlg>([](TConfigDlg& dialog) {
            Control<StepSpinEdit>(dialog, "spnInterval")->setValue(60);
            Control<QPushButton>(dialog, "OKBtn")->click();
        });
        window.ShowOptionsDialog();
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors.first().contains(QStringLiteral("に書き込めません")));
        QCOMPARE(SettingsTimeText(window.Settings().WallInterval), std::string("1:00:00"));
    }

    void displayModeIsShownAndWrittenAsBothValuesAtOk()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open();
        const auto value = [&](const char* name) {
            return f.registry.ReadString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", name);
        };
        f.registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "WallpaperStyle", "6");
        OnNextModal<TConfigDlg>([](TConfigDlg& dialog) {
            QCOMPARE(Control<QComboBox>(dialog, "cmbWallDisplay")->currentText(), QStringLiteral("ﾌｨｯﾄ"));
            QCOMPARE(Control<QComboBox>(dialog, "cmbWallDisplay")->accessibleName(), QStringLiteral("表示方法"));
            Control<QComboBox>(dialog, "cmbWallDisplay")->setCurrentIndex(1);  // 全体
            Control<QPushButton>(dialog, "CancelBtn")->click();
        });
        window.ShowOptionsDialog();
        QCOMPARE(value("WallpaperStyle"), std::optional<std::string>("6"));
        QVERIFY(!value("TileWallPaper"));
        OnNextModal<TConfigDlg>([](TConfigDlg& dialog) {
            Control<QComboBox>(dialog, "cmbWallDisplay")->setCurrentIndex(3);  // 拡大
            Control<QPushButton>(dialog, "OKBtn")->click();
        });
        window.ShowOptionsDialog();
        QCOMPARE(value("WallpaperStyle"), std::optional<std::string>("10"));
        QCOMPARE(value("TileWallPaper"), std::optional<std::string>("0"));
        // The tile command chooses tiling over the fill.
        OnNextModal<TfrmOpenBmp>([](TfrmOpenBmp& picker) { Control<QPushButton>(picker, "btnOK")->click(); });
        window.K4Click();
        QCOMPARE(value("WallpaperStyle"), std::optional<std::string>("0"));
        QCOMPARE(value("TileWallPaper"), std::optional<std::string>("1"));
    }

    void pictureForEachMonitorIsShownBelowTheDisplayModeAndSavedAtOk()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open("[WallSw]\nWallPerMonitorSw=1\n");
        OnNextModal<TConfigDlg>([](TConfigDlg& dialog) {
            auto* box = Control<QCheckBox>(dialog, "chkWallPerMonitor");
            QVERIFY(box->isChecked());
            QCOMPARE(box->accessibleName(), QStringLiteral("ﾓﾆﾀｰごとに別の壁紙"));
            auto* combo = Control<QComboBox>(dialog, "cmbWallDisplay");
            QCOMPARE(box->parentWidget(), combo->parentWidget());
            box->setChecked(false);
            Control<QPushButton>(dialog, "OKBtn")->click();
        });
        window.ShowOptionsDialog();
        QVERIFY(!window.Settings().WallPerMonitorSw);
        QVERIFY(f.profile.content->find("WallPerMonitorSw=0\n") != std::string::npos);
    }

    // From the keyboard, in the tile command's picker: a picture typed under
    // a name without a picture's extension is shown, read by its bytes; Return
    // on the file the list marks (it has the focus, nothing is selected) that
    // cannot be read tells so, as OK does.
    void keyboardChoicesAreShownOrTold()
    {
        QFile::copy(root.path() + QStringLiteral("/Tile.BMP"), root.path() + QStringLiteral("/photo"));
        std::ofstream((root.path() + QStringLiteral("/broken.png")).toStdString()) << "not really";
        QStringList boxes;
        ImageInfoBox::SetPresenter([&](const QString&, const QString& text) { boxes << text; });
        OptionsFixture f;
        const auto real = MakeImageWallConverter(f.registry, [] {
            return WallScreens{64, 64, 64, 64, {{0, 0, 64, 64}}};
        });
        const WallpaperServices services{f.registry, f.desktop, *real, f.wallpaperFakes.memory};
        f.profile.content = kIni;
        TfrmClock window(ClockServices{f.clock, f.sound, f.help, f.saver, f.profile, root.path().toStdString(),
                                       services, f.aboutFakes.facts, f.aboutFakes.services});
        for (const char* typed : {"photo", "photo.txt"}) {
            if (std::string(typed) == "photo.txt")
                QFile::rename(root.path() + QStringLiteral("/photo"), root.path() + QStringLiteral("/photo.txt"));
            f.desktop.calls.clear();
            OnNextModal<TfrmOpenBmp>([typed](TfrmOpenBmp& picker) {
                auto* name = Control<QLineEdit>(picker, "edtFileList");
                name->setFocus();
                name->selectAll();
                QTest::keyClicks(name, QString::fromLatin1(typed));
                QTest::keyClick(name, Qt::Key_Return);
                if (picker.isVisible())
                    picker.reject();
            });
            window.K4Click();
            QCoreApplication::processEvents();
            QCOMPARE(f.desktop.calls.size(), std::size_t(1));
            QVERIFY2(boxes.isEmpty() && f.errors.isEmpty(), qPrintable(boxes.join('|') + f.errors.join('|')));
        }
        OnNextModal<TfrmOpenBmp>([](TfrmOpenBmp& picker) {
            auto* files = Control<QListWidget>(picker, "FileList");
            const auto found = files->findItems(QStringLiteral("broken.png"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            files->setFocus();
            files->setCurrentItem(found.first(), QItemSelectionModel::NoUpdate);
            QTest::keyClick(files, Qt::Key_Return);
            if (picker.isVisible())
                picker.reject();  // not chosen: the test fails below, it does not hang
        });
        window.K4Click();
        QCoreApplication::processEvents();
        ImageInfoBox::SetPresenter({});
        // The preview's box, then the command's, naming the file.
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes.last(),
                 QStringLiteral("このPNGは読み込めません\n") + root.path() + QStringLiteral("/broken.png"));
        QFile::remove(root.path() + QStringLiteral("/broken.png"));
        QFile::remove(root.path() + QStringLiteral("/photo.txt"));
    }

    void tileAndCentreWriteTheTilingThenApply()
    {
        OptionsFixture f;
        TfrmClock& window = f.Open();
        auto pick = [](const char* file) {
            OnNextModal<TfrmOpenBmp>([file](TfrmOpenBmp& picker) {
                QCOMPARE(Control<QComboBox>(picker, "FilterCombo")->currentText(), QStringLiteral("画像ﾌｧｲﾙ"));
                if (file) {
                    const auto found = Control<QListWidget>(picker, "FileList")
                                           ->findItems(QString::fromLatin1(file), Qt::MatchExactly);
                    QCOMPARE(found.size(), 1);
                    Control<QListWidget>(picker, "FileList")->setCurrentItem(found.first());
                    Control<QPushButton>(picker, "btnOK")->click();
                } else {
                    Control<QPushButton>(picker, "btnCancel")->click();
                }
            });
        };
        const auto tiling = [&] {
            return f.registry.ReadString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper");
        };
        pick(nullptr);
        window.K4Click();
        QVERIFY(!tiling());
        QVERIFY(f.desktop.calls.empty());

        pick("Tile.BMP");
        window.K4Click();
        QCOMPARE(tiling(), std::optional<std::string>("1"));
        QCOMPARE(f.desktop.shown, (root.path() + QStringLiteral("/Tile.BMP")).toStdString());

        // OK without a file still changes the tiling; nothing is applied.
        OnNextModal<TfrmOpenBmp>([](TfrmOpenBmp& picker) { Control<QPushButton>(picker, "btnOK")->click(); });
        window.K5Click();
        QCOMPARE(tiling(), std::optional<std::string>("0"));
        QCOMPARE(f.desktop.calls.size(), std::size_t(1));
    }
};

QTEST_MAIN(OptionsCommandsTest)
#include "options_commands_test.moc"
