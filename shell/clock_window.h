// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TfrmClock, the clock window: a small borderless window with the clock
// face, the alarm indicator, the options button and the panic button, its
// command menu, the clock tick and the run-time state the wallpaper rotation
// shares. Its parts carry the program's own names, as members and as object
// names; other classes reach the window through its commands and value
// getters.

#include "base/clock_settings.h"
#include "base/date_time.h"
#include "shell/after_key_release.h"
#include "shell/clock_face.h"
#include "shell/clock_panel.h"
#include "shell/clock_services.h"
#include "shell/speed_button.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class AlarmCommands;
class TAMCustomAboutDialog;
class TAlarm;
class TFileDrag;
class TRegistryEnhanced;
class WallpaperManager;

class TfrmClock : public QWidget {
    Q_OBJECT
public:
    // Builds the window's parts, then runs FormCreate (under the error handler).
    explicit TfrmClock(const ClockServices& services, QWidget* parent = nullptr);
    ~TfrmClock() override;

    // The window's size as built; start-up sets the height to kHeight.
    static constexpr int kWidth = 173;
    static constexpr int kHeight = 39;
    // The first tick comes this long after start-up; later ones are planned
    // by the tick itself (shell/tick_schedule.h).
    static constexpr int kTickMs = 450;
    static constexpr int kWindowHelp = 5;
    static constexpr int kMenuHelp = 34;

    // --- start and end --------------------------------------------------
    void FormCreate();
    // Saves the settings at the end of the session (log-off asks first): the
    // same save as the close, without asking anything; a failure is logged.
    void SessionEnding();
    // A termination signal: one save as SessionEnding, then the program ends
    // whatever the save gave; the window is not closed, so nothing is saved
    // twice and nothing can refuse.
    void EndSession();
    // A later start asked for this window: restore it when minimised, bring it up.
    void BringForward();

    // --- the window's own operations -----------------------------------
    void ApplyOnTop();
    void UpdateDateHint();
    void Timer1Timer();  // the clock tick (Timer1 fires it)
    void PlayChime(const std::string& file);
    // Decodes the sounds the current settings may play (the switched-on time
    // signals and the alarm sound), so no tick reads a file; a file already
    // held is read again only when it changed on disk. Run after the settings
    // are read and after every change of them (the options dialog's OK).
    void ReloadSounds();
    // The system clock was set, the machine resumed, the time zone changed or
    // a command made a wallpaper change due: tick at once.
    void ClockWasSet();

    // --- command handlers of the clock window ---------------------------
    void PopupMenu1Popup();  // the command menu opens: its marks are brought up to date
    void pmnuSaverOnClick();
    void pmnuSaverStopClick();
    void pmnuWallPauseClick();
    void pmnuIconClick();
    void N3Click();  // Help: the help's contents
    void pmnuQuitClick();
    void sbtnConfigClick();

    // --- handlers the other subsystems fill in --------------------------
    // Virtual so tests can see which one a mouse action reached.
    virtual void DoCalendar();
    virtual void pmnuAlarmSetClick();
    virtual void pmnuAlarmOffClick();
    virtual void K4Click();  // Wallpaper > Tile: a picture picked for the wallpaper, tiled
    virtual void K5Click();  // Wallpaper > Centre: the same, centred
    virtual void N8Click();  // System Information: the information dialog
    virtual void ShowOptionsDialog();
    virtual void About1Click();  // About: the about box
    // The panic button (SpeedButton2) pressed, clicked and let go.
    virtual void SpeedButton2MouseDown(Qt::MouseButton button);
    virtual void SpeedButton2Click();
    virtual void SpeedButton2MouseUp(Qt::MouseButton button);
    // The wallpaper due test of the tick, reached only while rotation is on
    // and not paused; `now` is the tick's time.
    virtual void WallpaperDueStep(TDateTime now);

    // --- values others read ----------------------------------------------
    // The settings as read at start-up and changed by the options dialog.
    const ::ClockSettings& Settings() const { return ClockSettings; }
    // The time signal may sound (a minute that is no signal minute armed it).
    bool IsChimeArmed() const { return ChimeArmed; }
    // The screen saver was switched on when the menu last looked.
    bool IsSaverActive() const { return SaverActive; }
    const ClockServices& Services() const { return services_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- settings and run-time state ------------------------------------
    ::ClockSettings ClockSettings;
    bool ChimeArmed = false;
    // False until LoadSettings has read the whole file: then the close does
    // not write the file back, so values after a broken one are not lost.
    bool SettingsLoaded = false;
    bool SaverActive = true;
    // The wallpaper side, made at start-up when the wallpaper services are
    // given: it holds the rotation's run-time state (NextWallChange,
    // CurWallDir, PrevWallDir, WallFiles, WindowsDir, TempWallFile,
    // PanicPressedLeft) and runs ApplyWallPaper and the panic rules.
    WallpaperManager* Wallpaper = nullptr;
    TFileDrag* FileDrag1 = nullptr;  // takes picture files dropped on the window
    // Writes the desktop's tiling value for the tile and centre commands.
    std::unique_ptr<TRegistryEnhanced> RegistryEnhanced1;
    // The about box, made when the about services are given.
    TAMCustomAboutDialog* MyAboutDialog = nullptr;

    // --- controls (found by their object names from outside) -------------
    ClockPanel* Panel1 = nullptr;  // the raised panel that holds the rest
    QFrame* Bevel2 = nullptr;      // the sunken frame around the face
    ClockFace* lblClock = nullptr;
    QWidget* AlarmShape = nullptr;
    SpeedButton* sbtnConfig = nullptr;
    SpeedButton* SpeedButton2 = nullptr;  // the panic button
    QTimer Timer1;                        // the clock tick
    TAlarm* Alarm1 = nullptr;             // the alarm

    // --- the command menu, items in their order --------------------------
    // N1, N2, N4, N5, N7 and K1 are the separator lines.
    QMenu* PopupMenu1 = nullptr;  // the command menu
    QAction* pmnuAlarmSet = nullptr;
    QAction* pmnuAlarmOff = nullptr;
    QAction* N7 = nullptr;
    QMenu* K3 = nullptr;    // Wallpaper: the wallpaper submenu
    QAction* K4 = nullptr;  // Wallpaper > Tile
    QAction* K5 = nullptr;  // Wallpaper > Centre
    QAction* pmnuSaverOn = nullptr;
    QAction* N5 = nullptr;
    QAction* pmnuWallPause = nullptr;
    QAction* pmnuSaverStop = nullptr;
    QAction* N1 = nullptr;
    QAction* N6 = nullptr;  // Calendar
    QAction* N8 = nullptr;  // System Information: the information dialog
    QAction* K1 = nullptr;
    QAction* K2 = nullptr;  // Options: the options dialog
    QAction* pmnuIcon = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;      // Help
    QAction* About1 = nullptr;  // About: the about box
    QAction* N4 = nullptr;
    QAction* pmnuQuit = nullptr;

    void BuildControls();
    void BuildCommandMenu();
    void ConnectControls();
    void TickSteps();
    void PlanNextTick(TDateTime tickStarted);
    // Ctrl+arrow keys move the window; true when the key was one of them.
    bool MoveByKeyboard(const QKeyEvent& event);
    void StartWallpaper();
    // The tile and centre commands: pick an image, write the tiling value
    // ("1" tiles, "0" centres), then show the picked file.
    void PickWallPaper(const char* tileValue);
    void BuildAboutDialog();
    // The Menu key and Shift+F10: the command menu at the options button, as its click opens it.
    void ShowCommandMenuFromKeyboard();
    // The place saved on quit: the window's, where the platform reports it.
    QPoint PlaceToSave() const;

    ClockServices services_;
    std::unique_ptr<AlarmCommands> alarmCommands_;
    bool tickErrorShowing_ = false;
    bool ticking_ = false;
    bool sessionEnded_ = false;
    bool movedByHand_ = false;  // the user has dragged the window or moved it by the keyboard
    // Since the window was last mapped: the window manager places a window as
    // it maps it; a move that comes later is one the user asked it for.
    QElapsedTimer shownFor_;
    // The key held down on the command menu when an item was chosen by it
    // (0 after a mouse choice): "ｾｰﾊﾞ起動" waits for its release.
    int menuKeyDown_ = 0;
    AfterKeyRelease saverAfterKey_;
};
