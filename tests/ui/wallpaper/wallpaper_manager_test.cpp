// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's wallpaper handlers over a fake desktop and clock: the
// panic button, dropped files, the pause item and the tick's step.
#include "base/zelvaro_error.h"
#include "image/views/image_info_box.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/memory_registry.h"
#include "wallpaper/file_drag.h"
#include "wallpaper/image_wall_converter.h"
#include "wallpaper/wallpaper_manager.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <functional>

namespace {

constexpr TDateTime kMin = 1.0 / kMinutesPerDay;

// Converts by copying; a file whose name holds "broken" fails as an
// unreadable JPEG does.
class CopyConverter : public WallConverter {
public:
    int calls = 0;
    bool failed = false;
    bool ConvertToBmp(const ImageFile& opened, const ImageFormat*, bool, const std::string& bmpPath) override
    {
        const std::string& file = opened.Path();
        ++calls;
        failed = file.find("broken") != std::string::npos;
        std::ofstream(bmpPath) << "converted " << file;
        return !failed;
    }
    WallNotice FailureNotice() const override
    {
        return failed ? WallNotice{"このJPGは読み込めません", true} : WallNotice{};
    }
};

QStringList* gLogged = nullptr;

void KeepLogLine(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (gLogged)
        *gLogged << text;
}

// Files this process writes end after `bytes` while it lives, as on a disk
// that fills up mid-write; none: no limit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    rlimit before_{};
    void (*signal_)(int) = nullptr;
};

}  // namespace

class WallpaperManagerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ClockSettings settings;
    platform::FakeClock clock;
    platform::FakeDesktop desktop;
    CopyConverter converter;
    std::unique_ptr<WallpaperManager> manager;

    std::string Path(const char* name) const
    {
        return (dir.path() + QLatin1Char('/') + QLatin1String(name)).toStdString();
    }

private slots:
    void init()
    {
        settings = ClockSettings();
        settings.WallChangeSw = true;
        settings.WallInterval = 25 * kMin;
        settings.WallDir1 = Path("pics");
        QDir(dir.path()).mkpath(QStringLiteral("pics"));
        std::ofstream(Path("pics/one.bmp")) << "BM";
        settings.PanicWallPaper = Path("panic.jpg");
        clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(10, 20, 10));
        desktop = platform::FakeDesktop();
        manager = std::make_unique<WallpaperManager>(settings, clock, desktop, converter, Path("data"));
        manager->FormCreate();
    }

    void startUpState()
    {
        QCOMPARE(manager->TempWallFile(), Path("data/ZelvaroWl.BMP"));
        QVERIFY(manager->CurWallDir().empty());
        QVERIFY(!manager->PanicPressedLeft());
        QVERIFY(manager->pmnuWallPause()->isEnabled());
        QVERIFY(!manager->pmnuWallPause()->isChecked());
        QCOMPARE(manager->pmnuWallPause()->text(), QStringLiteral("壁紙変更停止"));
        QVERIFY(qAbs(manager->NextWallChange() - (clock.Now() + 59 * kMin)) < 1e-9);
        settings.WallChangeSw = false;
        settings.StartWallChangeSw = true;
        manager->FormCreate();
        QVERIFY(!manager->pmnuWallPause()->isEnabled());
        QCOMPARE(manager->NextWallChange(), clock.Now());
    }

    void panicLeftClickShowsThePanicWallpaperAndMovesTheNextChange()
    {
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        manager->PanicPressed(Qt::LeftButton);
        manager->PanicReleased();
        manager->PanicClicked();
        QCOMPARE(desktop.shown, Path("data/ZelvaroWl.BMP"));
        QCOMPARE(converter.calls, 1);
        QVERIFY(qAbs(manager->NextWallChange() - (clock.Now() + 25 * kMin)) < 1e-9);  // 10:45:10
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);                        // the hourglass is gone
    }

    void commandsWithNothingToShowSayWhatToDo()
    {
        // Each case: the setting left as the user left it, and the message
        // that names what is missing.
        struct Case {
            const char* name;
            std::function<void()> setUp;
            std::function<void()> command;
            QString message;
        };
        const auto panic = [this] {
            manager->PanicPressed(Qt::LeftButton);
            manager->PanicClicked();
        };
        const auto next = [this] {
            manager->PanicPressed(Qt::RightButton);
            manager->PanicReleased();
        };
        const std::vector<Case> cases = {
            {"no panic picture", [this] { settings.PanicWallPaper.clear(); }, panic,
             QStringLiteral("緊急表示壁紙ﾌｧｲﾙが設定されていません")},
            {"no folder", [this] { settings.WallDir1.clear(); }, next,
             QStringLiteral("壁紙ﾃﾞｨﾚｸﾄﾘが設定されていません")},
            {"folder gone", [this] { settings.WallDir1 = Path("gone"); }, next,
             QString::fromStdString(Path("gone")) + QStringLiteral(" がありません")},
            {"folder empty",
             [this] {
                 QDir(dir.path()).mkpath(QStringLiteral("empty"));
                 settings.WallDir1 = Path("empty");
             },
             next, QString::fromStdString(Path("empty")) + QStringLiteral(" に画像ﾌｧｲﾙがありません")},
        };
        for (const Case& c : cases) {
            init();
            c.setUp();
            desktop.calls.clear();
            QString said;
            try {
                c.command();
            } catch (const ZelvaroError& e) {
                said = QString::fromStdString(e.what());
            }
            QVERIFY2(said.contains(c.message), c.name);
            QVERIFY2(said.contains(QStringLiteral("ｵﾌﾟｼｮﾝ設定")), c.name);  // where to set it right
            QVERIFY2(desktop.calls.empty(), c.name);
        }
    }

    void panicRightReleaseStepsOnlyWhileRunning()
    {
        manager->PanicPressed(Qt::RightButton);
        manager->PanicReleased();
        QCOMPARE(desktop.shown, Path("pics/one.bmp"));
        QVERIFY(manager->PanicPressedLeft());

        desktop.calls.clear();
        manager->PauseClicked();
        QVERIFY(manager->pmnuWallPause()->isChecked());
        manager->PanicPressed(Qt::RightButton);
        manager->PanicReleased();
        manager->PanicPressed(Qt::MiddleButton);
        manager->PanicReleased();
        QVERIFY(desktop.calls.empty());
    }

    void pauseStopsTheTickAndDisabledItemCannotBeClicked()
    {
        clock.Set(manager->NextWallChange());
        manager->PauseClicked();
        manager->WallpaperDueStep(clock.Now());
        QVERIFY(desktop.calls.empty());
        manager->PauseClicked();  // resumed inside the due minute
        manager->WallpaperDueStep(clock.Now());
        QCOMPARE(desktop.shown, Path("pics/one.bmp"));

        settings.WallChangeSw = false;
        manager->OptionsConfirmed(true);
        manager->PauseClicked();
        QVERIFY(!manager->pmnuWallPause()->isChecked());
        settings.WallChangeSw = true;
        QSignalSpy due(manager.get(), &WallpaperManager::ChangeDue);
        manager->OptionsConfirmed(false);  // switched on: the next tick changes, and comes at once
        QCOMPARE(manager->NextWallChange(), clock.Now());
        QCOMPARE(due.count(), 1);
    }

    void aBitmapThatCannotBeWrittenNamesItsFolderAndWhatToDo()
    {
        // Real pictures through the real converter; only the bitmap's write fails.
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QDir(dir.path()).mkpath(QStringLiteral("photos"));
        QVERIFY(picture.save(QString::fromStdString(Path("photos/one.png"))));
        QVERIFY(picture.save(QString::fromStdString(Path("panic.png"))));
        settings.PanicWallPaper = Path("panic.png");
        settings.WallDir1 = Path("photos");
        std::ofstream(Path("plain-file")) << "not a folder";
        QDir(dir.path()).mkpath(QStringLiteral("full-disk"));
        struct Case {
            const char* name;
            std::string folder;
            rlim_t fileSizeLimit;  // RLIM_INFINITY: none
            std::function<void(WallpaperManager&)> command;
        };
        const std::vector<Case> cases = {
            // A folder no one can write into, whoever runs the test.
            {"panic, folder under a file", Path("plain-file/data"), RLIM_INFINITY,
             [](WallpaperManager& m) {
                 m.PanicPressed(Qt::LeftButton);
                 m.PanicClicked();
             }},
            // The disk fills up while the bitmap is being written.
            {"next wallpaper, disk full", Path("full-disk"), 4096, [](WallpaperManager& m) {
                 m.PanicPressed(Qt::RightButton);
                 m.PanicReleased();
             }}};
        QStringList boxes, logged;
        ImageInfoBox::SetPresenter([&](const QString& caption, const QString& text) { boxes << caption + text; });
        gLogged = &logged;
        struct Restore {
            QtMessageHandler previous = qInstallMessageHandler(KeepLogLine);
            ~Restore()
            {
                qInstallMessageHandler(previous);
                gLogged = nullptr;
                ImageInfoBox::SetPresenter({});
            }
        } restore;
        const platform::MemoryRegistry centred;
        const auto real = MakeImageWallConverter(centred, [] { return WallScreens{64, 64, 64, 64, {{0, 0, 64, 64}}}; });
        for (const Case& c : cases) {
            boxes.clear(), logged.clear(), desktop.calls.clear();
            WallpaperManager writing(settings, clock, desktop, *real, c.folder);
            writing.FormCreate();
            {
                const FileSizeLimit limit(c.fileSizeLimit);
                c.command(writing);
            }
            QCoreApplication::processEvents();
            const QString folder = QString::fromStdString(c.folder);
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(
                boxes.first().startsWith(QStringLiteral("情報壁紙の画像をフォルダー ") + folder + " に書き込めません"),
                qPrintable(boxes.first()));
            QVERIFY2(boxes.first().contains(QStringLiteral("ディスクの空き")), c.name);
            // The log in English, naming the folder; no half-written bitmap left.
            QVERIFY2(
                logged.filter(QStringLiteral("Cannot write the wallpaper picture into the folder ") + folder).size() ==
                    1,
                qPrintable(logged.join('\n')));
            QVERIFY2(desktop.calls.empty(), c.name);
            QVERIFY2(QDir(folder).entryList(QDir::Files).isEmpty(),
                     qPrintable(QDir(folder).entryList(QDir::Files).join(" ")));
        }
    }

    void rotationTellsOnlyTheFirstFailureOfAMinute()
    {
        QStringList boxes;
        ImageInfoBox::SetPresenter([&](const QString& caption, const QString& text) { boxes << caption + text; });
        QDir(dir.path()).mkpath(QStringLiteral("broken"));
        for (const char* name : {"broken/a-broken.jpg", "broken/b-broken.jpg"})
            std::ofstream(Path(name)) << "not a picture";
        settings.WallDir1 = Path("broken");
        clock.Set(manager->NextWallChange());
        const int callsBefore = converter.calls;
        // The due minute's ticks: every one tries a file, one box is shown,
        // after the tick has returned.
        for (int tick = 0; tick < 5; ++tick) {
            QVERIFY(manager->WallpaperDueStep(clock.Now()));
            clock.Advance(450.0 / 86400000.0);
        }
        QCOMPARE(converter.calls - callsBefore, 5);
        QVERIFY(boxes.isEmpty());
        QCoreApplication::processEvents();
        // One box, naming the file that failed.
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().startsWith(QStringLiteral("情報このJPGは読み込めません\n") +
                                          QString::fromStdString(Path("broken/"))),
                 qPrintable(boxes.first()));
        // A later due minute shows its first failure again.
        clock.Advance(3 * kMin);
        settings.WallChangeSw = true;
        manager->OptionsConfirmed(false);
        QVERIFY(manager->WallpaperDueStep(clock.Now()));
        QVERIFY(manager->WallpaperDueStep(clock.Now()));
        QCoreApplication::processEvents();
        QCOMPARE(boxes.size(), 2);
        // A file the user chose is told every time, in the same minute too.
        settings.PanicWallPaper = Path("broken/a-broken.jpg");
        for (int click = 0; click < 2; ++click) {
            manager->PanicPressed(Qt::LeftButton);
            manager->PanicClicked();
        }
        QCoreApplication::processEvents();
        QCOMPARE(boxes.size(), 4);
        ImageInfoBox::SetPresenter({});
    }

    void oneBoxAtATimeWhileTheClockGoesOn()
    {
        QDir(dir.path()).mkpath(QStringLiteral("one"));
        QDir(dir.path()).mkpath(QStringLiteral("two"));
        for (const char* name : {"one/only-broken.jpg", "two/a-broken.jpg", "two/b-broken.jpg"})
            std::ofstream(Path(name)) << "not a picture";
        std::ofstream(Path("chosen-broken.jpg")) << "not a picture";
        settings.WallDir1 = Path("one");
        settings.PanicWallPaper = Path("chosen-broken.jpg");
        int open = 0, mostOpen = 0, stepsWhileOpen = 0;
        QStringList boxes;
        ImageInfoBox::SetPresenter([&](const QString&, const QString& text) {
            mostOpen = std::max(mostOpen, ++open);
            boxes << text;
            if (boxes.size() == 1) {
                // The clock goes on under the box: three more due minutes
                // fail the same file, two more other files, and the user
                // picks another that fails.
                for (int minute = 0; minute < 5; ++minute) {
                    if (minute == 3)
                        settings.WallDir1 = Path("two");
                    clock.Advance(kMin);
                    manager->OptionsConfirmed(false);
                    stepsWhileOpen += manager->WallpaperDueStep(clock.Now()) ? 1 : 0;
                    QCoreApplication::processEvents();
                }
                manager->PanicPressed(Qt::LeftButton);
                manager->PanicClicked();
                QCoreApplication::processEvents();
            }
            --open;
        });
        clock.Set(manager->NextWallChange());
        QVERIFY(manager->WallpaperDueStep(clock.Now()));
        QVERIFY(boxes.isEmpty());
        QCoreApplication::processEvents();
        ImageInfoBox::SetPresenter({});
        QCOMPARE(stepsWhileOpen, 5);
        QCOMPARE(mostOpen, 1);
        // The rotation's file once, one of the other files' failures, and
        // the chosen file, one after the other once the first box closed.
        QCOMPARE(boxes.size(), 3);
    }

    void droppedFirstFileOnly()
    {
        QWidget window;
        TFileDrag drag(&window);
        drag.OnDrop = [this](TFileDrag* sender) { manager->FilesDropped(sender->NameWithPath); };
        drag.SetEnableDrop(true);
        drag.DropFiles({QString::fromStdString(Path("pics/one.bmp")), QStringLiteral("/other/two.bmp")});
        QCOMPARE(desktop.calls, std::vector<std::string>{Path("pics/one.bmp")});
        drag.DropFiles({QStringLiteral("/notes/readme.txt"), QStringLiteral("/pics/x.bmp")});
        drag.DropFiles({QString::fromStdString(Path("pics")) + QLatin1Char('/')});
        QCOMPARE(desktop.calls.size(), std::size_t{1});
    }
};

QTEST_MAIN(WallpaperManagerTest)
#include "wallpaper_manager_test.moc"
