// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window offscreen: its parts, its menu, its start-up and its
// commands, over fakes.

#include "clock_window_fixture.h"
#include "shell/clock_tick.h"
#include "shell/tick_schedule.h"
#include "tests/ui/control.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

class ClockWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAsBuilt();
    void commandMenuInOrder();
    void startUpPlacesAndSetsState();
    void startUpWithBrokenTimeStopsAndKeepsTheFile();
    void mouseRulesReachTheirCommands();
    void panelDragMovesTheWindow();
    void tickSoundsTheSignalOnceAndRestartsTheTimer();
    void tickSleepsToTheMinuteAndRetriesAFailingWallMinute();
    void soundsAreDecodedWhenTheSettingsAreRead();
    void tickErrorIsShownOnceAndTheClockRunsOn();
    void errorWhoseBoxCannotBeMadeLeavesTheProgramRunning();
    void wallpaperTestFollowsRotationAndPause();
    void screenSaverItemsFollowTheSystem();
    void minimiseShowsTheTimeAsCaption();
    void closeSavesThePlaceAndClosesHelp();
    void failedSaveKeepsTheWindowOpen();
    void terminationSavesOnceAndNeverRefuses();
    void helpKeys();
    void keyboardReachesTheMenuAndTheButtons();
    void twentyFourHourFace();
    void onTopAndDateHint();
};

void ClockWindowTest::controlsAsBuilt()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    QCOMPARE(w.windowTitle(), QString("Zelvaro"));
    QCOMPARE(w.size(), QSize(173, 39));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Control<ClockFace>(w, "lblClock")->size(), QSize(98, 25));
    QCOMPARE(Control<ClockFace>(w, "lblClock")->font().pixelSize(), 23);
    QVERIFY(Control<ClockFace>(w, "lblClock")->font().bold());
    QCOMPARE(Control<ClockFace>(w, "lblClock")->font().family(), QString("Times New Roman"));
    QCOMPARE(Control<ClockFace>(w, "lblClock")->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QCOMPARE(Control<ClockFace>(w, "lblClock")->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(Control<ClockFace>(w, "lblClock")->text(), QString("02:00 pm"));
    QCOMPARE(Control<QWidget>(w, "AlarmShape")->size(), QSize(6, 6));
    QVERIFY(Control<QWidget>(w, "AlarmShape")->isHidden());
    QCOMPARE(Control<SpeedButton>(w, "sbtnConfig")->size(), QSize(27, 25));
    QCOMPARE(Control<SpeedButton>(w, "sbtnConfig")->toolTip(), QString("Options"));
    QCOMPARE(Control<SpeedButton>(w, "SpeedButton2")->size(), QSize(25, 25));
    QCOMPARE(Control<SpeedButton>(w, "SpeedButton2")->toolTip(), QString("Panic"));
    QVERIFY(!Control<SpeedButton>(w, "sbtnConfig")->icon().isNull());
    QVERIFY(!Control<SpeedButton>(w, "SpeedButton2")->icon().isNull());
    QCOMPARE(Control<ClockPanel>(w, "Panel1")->geometry(), QRect(0, 0, 173, 39));
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), 450);  // the first tick
    QVERIFY(Control<QTimer>(w, "Timer1")->isActive());
    QVERIFY(Control<QTimer>(w, "Timer1")->isSingleShot());
    QVERIFY(w.acceptDrops());
    // The face's top right corner holds the alarm indicator.
    QCOMPARE(Control<QWidget>(w, "AlarmShape")->geometry().right(),
             Control<ClockFace>(w, "lblClock")->geometry().right());
    QCOMPARE(Control<QWidget>(w, "AlarmShape")->geometry().top(), Control<ClockFace>(w, "lblClock")->geometry().top());
}

void ClockWindowTest::commandMenuInOrder()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    QStringList captions;
    for (QAction* a : Control<QMenu>(w, "PopupMenu1")->actions())
        captions << (a->isSeparator() ? QString("-") : a->text());
    const QStringList expected = {"ｱﾗｰﾑ設定",     "ｱﾗｰﾑ停止", "-", "壁紙指定", "ｾｰﾊﾞ起動",  "-",
                                  "壁紙変更停止", "ｾｰﾊﾞ停止", "-", "ｶﾚﾝﾀﾞｰ",   "ｲﾝﾌｫﾒｰｼｮﾝ", "-",
                                  "ｵﾌﾟｼｮﾝ設定",   "ｱ ｲ ｺ ﾝ",  "-", "ﾍ  ﾙ  ﾌﾟ", "ﾊﾞｰｼﾞｮﾝ",   "-",
                                  "終    了"};
    QCOMPARE(captions, expected);
    QCOMPARE(Control<QMenu>(w, "K3")->actions().size(), 2);
    QCOMPARE(Control<QAction>(w, "K4")->text(), QString::fromUtf8("全\u3000\u3000体"));
    QCOMPARE(Control<QAction>(w, "K5")->text(), QString::fromUtf8("中\u3000\u3000央"));
    QCOMPARE(Control<QMenu>(w, "PopupMenu1")->actions().at(3), Control<QMenu>(w, "K3")->menuAction());
    // The named items are the ones in the menu, in the same places.
    const QList<QAction*> named = {Control<QAction>(w, "pmnuAlarmSet"),
                                   Control<QAction>(w, "pmnuAlarmOff"),
                                   Control<QAction>(w, "N7"),
                                   Control<QMenu>(w, "K3")->menuAction(),
                                   Control<QAction>(w, "pmnuSaverOn"),
                                   Control<QAction>(w, "N5"),
                                   Control<QAction>(w, "pmnuWallPause"),
                                   Control<QAction>(w, "pmnuSaverStop"),
                                   Control<QAction>(w, "N1"),
                                   Control<QAction>(w, "N6"),
                                   Control<QAction>(w, "N8"),
                                   Control<QAction>(w, "K1"),
                                   Control<QAction>(w, "K2"),
                                   Control<QAction>(w, "pmnuIcon"),
                                   Control<QAction>(w, "N2"),
                                   Control<QAction>(w, "N3"),
                                   Control<QAction>(w, "About1"),
                                   Control<QAction>(w, "N4"),
                                   Control<QAction>(w, "pmnuQuit")};
    QCOMPARE(Control<QMenu>(w, "PopupMenu1")->actions(), named);
    // States at start: the alarm off item checked, the pause unchecked and
    // greyed while rotation is off.
    QVERIFY(Control<QAction>(w, "pmnuAlarmOff")->isChecked());
    QVERIFY(!Control<QAction>(w, "pmnuWallPause")->isChecked());
    QVERIFY(!Control<QAction>(w, "pmnuWallPause")->isEnabled());
    QVERIFY(!Control<QAction>(w, "pmnuSaverStop")->isChecked());  // the fake saver starts switched on
    QCOMPARE(Control<QAction>(w, "pmnuAlarmSet")->property("helpContext").toInt(), 29);
    QCOMPARE(Control<QAction>(w, "pmnuQuit")->property("helpContext").toInt(), 20);
    QCOMPARE(Control<QAction>(w, "pmnuIcon")->property("helpContext").toInt(), 15);
}

void ClockWindowTest::startUpPlacesAndSetsState()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[Location]\nOffsetX=5000\nOffsetY=-20\n[WallSw]\nWallChangeSw=1\n");
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(w.x(), screen.width() - 173);
    QCOMPARE(w.y(), 0);
    // Not moved since: the saved place stays as it was.
    w.SessionEnding();
    QVERIFY(f.profile.content->find("OffsetX=5000\n") != std::string::npos);
    QVERIFY(f.profile.content->find("OffsetY=-20\n") != std::string::npos);
    // Shifted further by whoever: still kept, until the user takes the clock.
    w.move(30, 40);
    w.SessionEnding();
    QVERIFY(f.profile.content->find("OffsetX=5000\n") != std::string::npos);
    QTest::mousePress(Control<QWidget>(w, "Panel1"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(Control<QWidget>(w, "Panel1"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    w.move(20, 30);
    w.SessionEnding();
    QVERIFY(f.profile.content->find("OffsetX=20\n") != std::string::npos);
    // The keyboard moves it too: Ctrl+arrow by 10 pixels, with Shift by 1.
    ClockFixture k;
    RecordingClock& kw = k.Start("[Location]\nOffsetX=0\nOffsetY=0\n");
    kw.move(-11, 0);  // the window manager's shift at start is not the user's place
    kw.SessionEnding();
    QVERIFY(k.profile.content->find("OffsetX=0\n") != std::string::npos);
    QTest::keyClick(&kw, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(&kw, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(kw.pos(), QPoint(-1, 1));
    kw.SessionEnding();
    QVERIFY(k.profile.content->find("OffsetX=-1\n") != std::string::npos);
    QVERIFY(k.profile.content->find("OffsetY=1\n") != std::string::npos);
    QVERIFY(Control<QAction>(w, "pmnuWallPause")->isEnabled());
    QVERIFY(w.IsChimeArmed());
    QCOMPARE(Control<WallpaperManager>(w, "Wallpaper")->TempWallFile(), std::string("/data/zelvaro/ZelvaroWl.BMP"));
    // Without the start-up change the first change comes 59 minutes after start-up.
    QCOMPARE(Control<WallpaperManager>(w, "Wallpaper")->NextWallChange(), f.clock.Now() - 1.0 / 1440 + 1.0 / 24);
    ClockFixture g;
    g.Start("[WallSw]\nStartWallChangeSw=1\n");
    QCOMPARE(Control<WallpaperManager>(*g.window, "Wallpaper")->NextWallChange(), g.clock.Now());
    QVERIFY(f.errors.isEmpty() && g.errors.isEmpty());
}

void ClockWindowTest::startUpWithBrokenTimeStopsAndKeepsTheFile()
{
    ClockFixture f;
    const std::string ini =
        "[Location]\nOffsetX=40\n[WallTime]\nWallDir2StartTime=abc\n[WaveFile]\nJustWave=/s/j.wav\n";
    RecordingClock& w = f.Start(ini);
    QCOMPARE(f.errors, QStringList{QString::fromUtf8("'abc' は時刻ではありません.")});
    QVERIFY(!Control<QTimer>(w, "Timer1")->isActive());
    QVERIFY(!w.IsChimeArmed());
    // Closing must not write back the settings it could not read whole.
    QVERIFY(w.close());
    QCOMPARE(*f.profile.content, ini);
    QCOMPARE(f.help.requests.back(), platform::FakeHelp::kQuit);
}

void ClockWindowTest::mouseRulesReachTheirCommands()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    QTest::mouseClick(Control<ClockFace>(w, "lblClock"), Qt::LeftButton);
    QTest::mouseClick(Control<ClockFace>(w, "lblClock"), Qt::RightButton);
    QCOMPARE(w.calls, (QStringList{"DoCalendar", "pmnuAlarmSetClick"}));
    QVERIFY(!Control<QMenu>(w, "PopupMenu1")->isVisible());
    w.calls.clear();
    QTest::mouseClick(Control<SpeedButton>(w, "sbtnConfig"), Qt::RightButton);
    QCOMPARE(w.calls, QStringList{"ShowOptionsDialog"});
    QVERIFY(!Control<QMenu>(w, "PopupMenu1")->isVisible());
    QTest::mouseClick(Control<SpeedButton>(w, "sbtnConfig"), Qt::LeftButton);
    QVERIFY(Control<QMenu>(w, "PopupMenu1")->isVisible());
    QCOMPARE(Control<QMenu>(w, "PopupMenu1")->pos(), QPoint(w.x() + 110, w.y() + 30));
    Control<QMenu>(w, "PopupMenu1")->hide();
    w.calls.clear();
    QTest::mouseClick(Control<SpeedButton>(w, "SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(Control<SpeedButton>(w, "SpeedButton2"), Qt::RightButton);
    QCOMPARE(w.calls, (QStringList{"PanicDown1", "PanicClick", "PanicUp1", "PanicDown2", "PanicUp2"}));
    // Menu items reach the commands of the later dialogs.
    w.calls.clear();
    Control<QAction>(w, "N6")->trigger();
    Control<QAction>(w, "N8")->trigger();
    Control<QAction>(w, "K2")->trigger();
    Control<QAction>(w, "About1")->trigger();
    Control<QAction>(w, "pmnuAlarmSet")->trigger();
    QCOMPARE(w.calls, (QStringList{"DoCalendar", "N8Click", "ShowOptionsDialog", "About1Click", "pmnuAlarmSetClick"}));
}

void ClockWindowTest::panelDragMovesTheWindow()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[Location]\nOffsetX=100\nOffsetY=100\n");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();
    // A tiling window manager floats it by its fixed size, or is asked to,
    // at its place.
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(f.windowManager.floats, (std::vector<std::pair<int, int>>{{100, 100}}));
    QTest::mousePress(Control<ClockPanel>(w, "Panel1"), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(Control<ClockPanel>(w, "Panel1"), QPoint(32, 22));
    QTest::mouseRelease(Control<ClockPanel>(w, "Panel1"), Qt::LeftButton, {}, QPoint(32, 22));
    QCOMPARE(w.pos(), start + QPoint(30, 20));
    // A press on the clock face does not move it.
    QTest::mousePress(Control<ClockFace>(w, "lblClock"), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(Control<ClockFace>(w, "lblClock"), QPoint(40, 10));
    QTest::mouseRelease(Control<ClockFace>(w, "lblClock"), Qt::LeftButton, {}, QPoint(40, 10));
    QCOMPARE(w.pos(), start + QPoint(30, 20));
}

void ClockWindowTest::tickSoundsTheSignalOnceAndRestartsTheTimer()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[WaveFile]\nJustWave=/s/just.wav\n[WaveSw]\nUseWaveSw=1\nJustWaveSw=1\n");
    w.Timer1Timer();
    w.Timer1Timer();
    QCOMPARE(f.sound.calls.size(), std::size_t(1));
    QCOMPARE(f.sound.calls[0].file, std::string("/s/just.wav"));
    QVERIFY(!f.sound.calls[0].loop);
    QVERIFY(Control<QTimer>(w, "Timer1")->isActive());
    // The face follows the minute.
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(23, 59, 1));
    w.Timer1Timer();
    QCOMPARE(Control<ClockFace>(w, "lblClock")->text(), QString("11:59 pm"));
    // The system clock is set: the timer ticks at once, not at the planned time.
    QVERIFY(Control<QTimer>(w, "Timer1")->remainingTime() > 20000);
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(9, 5));
    f.clockSet.Fire();
    QTRY_COMPARE_WITH_TIMEOUT(Control<ClockFace>(w, "lblClock")->text(), QString("09:05 am"), 3000);
    QVERIFY(Control<QTimer>(w, "Timer1")->isActive());
    // The time zone changes (the local time jumps an hour on): the same.
    QVERIFY(Control<QTimer>(w, "Timer1")->remainingTime() > 20000);
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(10, 5));
    f.zoneWatch.Fire();
    QTRY_COMPARE_WITH_TIMEOUT(Control<ClockFace>(w, "lblClock")->text(), QString("10:05 am"), 3000);
    QVERIFY(Control<QTimer>(w, "Timer1")->isActive());
}

void ClockWindowTest::tickSleepsToTheMinuteAndRetriesAFailingWallMinute()
{
    QTemporaryDir dir;
    QFile(dir.filePath("a.jpg")).open(QIODevice::WriteOnly);  // the fake converter fails every file
    ClockFixture f;
    RecordingClock& w = f.Start("[WallDir]\nWallDir1=" + dir.path().toStdString() +
                                "\n[WallSw]\nWallChangeSw=1\nStartWallChangeSw=1\nWallInterval=0:30:00\n");
    // 14:00:20: the rest of the minute in one wait.
    w.Timer1Timer();
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), 40000 + kTickAfterBoundaryMs);
    // The due minute's file fails: the tick comes again in 450 ms, until
    // the minute ends.
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(14, 0, 30));
    w.onWallDue = [&] { Control<WallpaperManager>(w, "Wallpaper")->WallpaperDueStep(f.clock.Now()); };
    w.Timer1Timer();
    QVERIFY(Control<WallpaperManager>(w, "Wallpaper")->RetryingWallMinute(f.clock.Now()));
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), kRetryTickMs);
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(14, 0, 59, 800));
    w.Timer1Timer();
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), 200 + kTickAfterBoundaryMs);
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(14, 1, 0, 10));
    w.Timer1Timer();
    QVERIFY(!Control<WallpaperManager>(w, "Wallpaper")->RetryingWallMinute(f.clock.Now()));
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), 60000);
    // A change that takes 4 s from 10:14:57: the tick that ends at 10:15:01
    // comes again at once and shows 10:15, not a minute later.
    f.clock.Set(EncodeDate(2026, 12, 7) + EncodeTime(10, 14, 57));
    w.onWallDue = [&] { f.clock.Advance(4.0 / 86400); };
    w.Timer1Timer();
    QCOMPARE(Control<ClockFace>(w, "lblClock")->text(), QString("10:14 am"));
    QCOMPARE(Control<QTimer>(w, "Timer1")->interval(), 0);
    w.onWallDue = nullptr;
    QTRY_COMPARE_WITH_TIMEOUT(Control<ClockFace>(w, "lblClock")->text(), QString("10:15 am"), 1000);
}

void ClockWindowTest::soundsAreDecodedWhenTheSettingsAreRead()
{
    ClockFixture f;
    const std::string ini = "[WaveFile]\nJustWave=/s/j.wav\nHalfWave=/s/h.wav\nQuarterWave=/s/j.wav\n"
                            "[Alarm]\nAlarmWave=/s/a.wav\nAlarmWaveSw=1\n"
                            "[WaveSw]\nUseWaveSw=1\nJustWaveSw=1\nQuarterWaveSw=1\n";
    RecordingClock& w = f.Start(ini);
    QCOMPARE(f.sound.preloads, 1);
    QCOMPARE(f.sound.held, (std::vector<std::string>{"/s/j.wav", "/s/a.wav"}));
    f.profile.content = ini + "HalfWaveSw=1\n";  // the settings read again with one more signal
    w.FormCreate();
    QCOMPARE(f.sound.held, (std::vector<std::string>{"/s/j.wav", "/s/h.wav", "/s/a.wav"}));
    // Ticks play, they never load.
    w.Timer1Timer();
    QCOMPARE(f.sound.preloads, 2);
}

void ClockWindowTest::tickErrorIsShownOnceAndTheClockRunsOn()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[WallSw]\nWallChangeSw=1\n");
    bool timerOnWhenShown = false;
    bool timerOffInStep = false;
    ErrorHandler::SetPresenter([&](const QString&, const QString& text) {
        f.errors << text;
        timerOnWhenShown = Control<QTimer>(w, "Timer1")->isActive();
        w.Timer1Timer();  // a tick while the box is open raises again
    });
    w.onWallDue = [&] {
        timerOffInStep = !Control<QTimer>(w, "Timer1")->isActive();  // no tick may start inside a wallpaper change
        throw ZelvaroError("壁紙を変更できません");
    };
    w.Timer1Timer();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(timerOffInStep);
    QVERIFY(timerOnWhenShown);
    QVERIFY(Control<QTimer>(w, "Timer1")->isActive());
    w.onWallDue = nullptr;
    w.Timer1Timer();
    QCOMPARE(f.errors.size(), 1);
}

void ClockWindowTest::errorWhoseBoxCannotBeMadeLeavesTheProgramRunning()
{
    ErrorHandler::SetPresenter([](const QString&, const QString&) { throw std::bad_alloc(); });
    const bool ran = ErrorHandler::Run([] { throw ZelvaroError("壁紙を変更できません"); });
    ErrorHandler::SetPresenter({});
    QVERIFY(!ran);
}

void ClockWindowTest::wallpaperTestFollowsRotationAndPause()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[WallSw]\nWallChangeSw=1\n");
    w.Timer1Timer();
    QCOMPARE(w.calls.count("WallpaperDueStep"), 1);
    Control<QAction>(w, "pmnuWallPause")->trigger();  // through the menu, as the user does
    QVERIFY(Control<QAction>(w, "pmnuWallPause")->isChecked());
    w.Timer1Timer();
    QCOMPARE(w.calls.count("WallpaperDueStep"), 1);
    w.pmnuWallPauseClick();
    QVERIFY(!Control<QAction>(w, "pmnuWallPause")->isChecked());
    w.Timer1Timer();
    QCOMPARE(w.calls.count("WallpaperDueStep"), 2);
}

void ClockWindowTest::screenSaverItemsFollowTheSystem()
{
    ClockFixture f;
    f.saver.active = false;
    RecordingClock& w = f.Start();
    QVERIFY(Control<QAction>(w, "pmnuSaverStop")->isChecked());
    f.saver.active = true;  // switched on elsewhere
    emit Control<QMenu>(w, "PopupMenu1")->aboutToShow();
    QVERIFY(!Control<QAction>(w, "pmnuSaverStop")->isChecked());
    QVERIFY(w.IsSaverActive());
    Control<QAction>(w, "pmnuSaverStop")->trigger();  // switch it off
    QVERIFY(!f.saver.active);
    QVERIFY(Control<QAction>(w, "pmnuSaverStop")->isChecked());
    Control<QAction>(w, "pmnuSaverStop")->trigger();  // and on again
    QVERIFY(f.saver.active);
    QVERIFY(!Control<QAction>(w, "pmnuSaverStop")->isChecked());
    Control<QAction>(w, "pmnuSaverOn")->trigger();
    QCOMPARE(f.saver.starts, 1);

    // Chosen with Return, the saver waits while the key is held (its repeats
    // too) and starts once it stays up.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* menu = Control<QMenu>(w, "PopupMenu1");
    menu->popup(w.mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(Control<QAction>(w, "pmnuSaverOn"));
    QTest::keyPress(menu, Qt::Key_Return);
    QVERIFY(!menu->isVisible());
    QTest::qWait(200);
    QTest::keyRelease(&w, Qt::Key_Return);  // a repeat's release without its mark
    QTest::keyPress(&w, Qt::Key_Return);
    QTest::qWait(400);
    QCOMPARE(f.saver.starts, 1);
    QTest::keyRelease(&w, Qt::Key_Return);
    QTRY_COMPARE(f.saver.starts, 2);
}

void ClockWindowTest::minimiseShowsTheTimeAsCaption()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    Control<QAction>(w, "pmnuIcon")->trigger();
    QVERIFY(w.windowState() & Qt::WindowMinimized);
    QCOMPARE(w.windowTitle(), QString("02:00 pm"));
    f.clock.Advance(2.0 / 1440);
    w.Timer1Timer();
    QCOMPARE(w.windowTitle(), QString("02:02 pm"));
    w.BringForward();
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
}

void ClockWindowTest::closeSavesThePlaceAndClosesHelp()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[Location]\nOffsetX=10\nOffsetY=10\n");
    w.show();
    // Taken by the user (a press on the panel starts the move), then dropped.
    QTest::mousePress(Control<QWidget>(w, "Panel1"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(Control<QWidget>(w, "Panel1"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    w.move(60, 70);
    Control<QAction>(w, "pmnuQuit")->trigger();
    QVERIFY(!w.isVisible());
    const std::string& ini = *f.profile.content;
    QVERIFY(ini.find("OffsetX=60") != std::string::npos);
    QVERIFY(ini.find("OffsetY=70") != std::string::npos);
    QCOMPARE(f.help.requests.back(), platform::FakeHelp::kQuit);
    // The session end saves as well, without closing anything.
    ClockFixture g;
    g.Start("[Location]\nOffsetX=10\n");
    g.window->move(23, 44);
    QTest::keyClick(g.window.get(), Qt::Key_Right, Qt::ControlModifier);  // moved by the keyboard
    g.window->SessionEnding();
    QVERIFY(g.profile.content->find("OffsetX=33") != std::string::npos);
}

void ClockWindowTest::failedSaveKeepsTheWindowOpen()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    f.profile.writesFail = true;
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(f.errors, QStringList{QString::fromUtf8("/memory/zelvaro.INI に書き込めません.")});
    QVERIFY(f.help.requests.empty());
}

void ClockWindowTest::terminationSavesOnceAndNeverRefuses()
{
    // A termination signal with a settings file that cannot be written: one
    // try, no error box, and the window closes without a second try.
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    f.profile.writesFail = true;
    w.EndSession();
    w.EndSession();
    QCOMPARE(f.profile.writes, 1);
    QVERIFY(f.errors.isEmpty());
    QVERIFY(w.close());
    QCOMPARE(f.profile.writes, 1);
}

void ClockWindowTest::helpKeys()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    Control<QAction>(w, "N3")->trigger();
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(f.help.requests, (std::vector<int>{platform::FakeHelp::kContents, 5}));
    Control<QMenu>(w, "PopupMenu1")->popup(QPoint(0, 0));
    Control<QMenu>(w, "PopupMenu1")->setActiveAction(Control<QAction>(w, "pmnuIcon"));
    QTest::keyClick(Control<QMenu>(w, "PopupMenu1"), Qt::Key_F1);
    QCOMPARE(f.help.requests.back(), 15);
    Control<QMenu>(w, "PopupMenu1")->setActiveAction(Control<QAction>(w, "pmnuSaverOn"));
    QTest::keyClick(Control<QMenu>(w, "PopupMenu1"), Qt::Key_F1);
    QCOMPARE(f.help.requests.back(), 23);
    Control<QMenu>(w, "PopupMenu1")->hide();
    // Inside the wallpaper submenu, Tile has its own page.
    Control<QMenu>(w, "K3")->popup(QPoint(0, 0));
    Control<QMenu>(w, "K3")->setActiveAction(Control<QAction>(w, "K4"));
    QTest::keyClick(Control<QMenu>(w, "K3"), Qt::Key_F1);
    QCOMPARE(f.help.requests.back(), 21);
    Control<QMenu>(w, "K3")->hide();
}

void ClockWindowTest::keyboardReachesTheMenuAndTheButtons()
{
    ClockFixture f;
    RecordingClock& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* menu = Control<QMenu>(w, "PopupMenu1");
    // The menu opens where the options button opens it, once per request:
    // X11 sends the Menu key as a menu request and as a key.
    const std::vector<std::function<void()>> requests = {
        [&] { QTest::keyClick(&w, Qt::Key_F10, Qt::ShiftModifier); },
        [&] { QTest::keyClick(&w, Qt::Key_Menu); },
        [&] {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0), w.mapToGlobal(QPoint(0, 0)));
            QApplication::sendEvent(&w, &request);
            QTest::keyClick(&w, Qt::Key_Menu);
        },
    };
    for (const auto& request : requests) {
        request();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), QPoint(w.x() + 110, w.y() + 30));
        // Opened from the keyboard, its first item is highlighted.
        QCOMPARE(menu->activeAction(), menu->actions().constFirst());
        menu->hide();
    }
    // The right button keeps its own meanings: no menu from a mouse request.
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(5, 5), w.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&w, &mouse);
    QVERIFY(!menu->isVisible());

    // Tab reaches both buttons; Return and Space act as a left click.
    auto* options = Control<SpeedButton>(w, "sbtnConfig");
    auto* panic = Control<SpeedButton>(w, "SpeedButton2");
    QVERIFY(options->focusPolicy() & Qt::TabFocus);
    QVERIFY(panic->focusPolicy() & Qt::TabFocus);
    panic->setFocus(Qt::TabFocusReason);
    w.calls.clear();
    QTest::keyClick(panic, Qt::Key_Return);
    QTest::keyClick(panic, Qt::Key_Space);
    QCOMPARE(w.calls, (QStringList{"PanicDown1", "PanicClick", "PanicUp1", "PanicDown1", "PanicClick", "PanicUp1"}));
    options->setFocus(Qt::TabFocusReason);
    QTest::keyClick(options, Qt::Key_Return);
    QVERIFY(menu->isVisible());
    menu->hide();
}

void ClockWindowTest::twentyFourHourFace()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[Location]\nClock24=1\n");
    QCOMPARE(Control<ClockFace>(w, "lblClock")->text(), QString("14:00"));
    f.clock.Advance(2.0 / 1440);
    w.Timer1Timer();
    QCOMPARE(Control<ClockFace>(w, "lblClock")->text(), QString("14:02"));
}

void ClockWindowTest::onTopAndDateHint()
{
    ClockFixture f;
    RecordingClock& w = f.Start("[Location]\nOnTop=1\n");
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    f.profile.content = "[Location]\nOnTop=0\n";  // the settings read again
    w.FormCreate();
    QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(Control<ClockFace>(w, "lblClock")->toolTip().isEmpty());  // no hint until the mouse comes
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(Control<ClockFace>(w, "lblClock"), &enter);
    QVERIFY(Control<ClockFace>(w, "lblClock")->toolTip().startsWith("2026/12/07 ("));
    f.clock.Advance(1);  // the next arrival shows the new date
    QApplication::sendEvent(Control<ClockFace>(w, "lblClock"), &enter);
    QVERIFY(Control<ClockFace>(w, "lblClock")->toolTip().startsWith("2026/12/08 ("));
    QVERIFY(Control<ClockFace>(w, "lblClock")->toolTip().endsWith(")"));
}

QTEST_MAIN(ClockWindowTest)
#include "clock_window_test.moc"
