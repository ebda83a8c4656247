// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clock_window.h"

#include "alarm/alarm_commands.h"
#include "base/text_helpers.h"
#include "base/ui/accessible_names.h"
#include "base/ui/app_title.h"
#include "base/ui/error_handler.h"
#include "options/registry_enhanced.h"
#include "shell/clock_window_accessible.h"
#include "shell/settings_file.h"
#include "shell/window_placement.h"
#include "shell/window_system.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QLoggingCategory>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

Q_LOGGING_CATEGORY(lcShell, "zelvaro.shell")

namespace {

// The red alarm indicator: a filled circle without outline.
class AlarmIndicator : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawEllipse(rect());
    }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
};

// A frame drawn round the clock face; pressing on it does nothing.
class Bevel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace

TfrmClock::TfrmClock(const ClockServices& services, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), services_(services)
{
    setWindowTitle(QString::fromUtf8(kClockCaption));
    // Screen readers find a frame named by the program, and read the time as its description.
    static const bool accessible = [] {
        QAccessible::installFactory(ClockWindowAccessibleFactory);
        return true;
    }();
    Q_UNUSED(accessible);
    setAccessibleName(QString::fromUtf8(kClockCaption));
    setWindowIcon(QIcon(QStringLiteral(":/shell/zelvaro_icon.xpm")));
    resize(kWidth, kHeight);
    // A fixed size is the hint tiling window managers float a window by.
    setFixedSize(kWidth, kHeight);
    Timer1.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kTickMs);
    Timer1.setSingleShot(true);
    // A coarse timer may fire up to 5 % late: seconds after the minute.
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &TfrmClock::Timer1Timer);
    services_.clockSet.OnJump([this] { ClockWasSet(); });
    services_.zoneWatch.OnJump([this] { ClockWasSet(); });
    BuildControls();
    BuildCommandMenu();
    Alarm1 = new TAlarm(services_.clock, this);
    Alarm1->SetHour(1);
    Alarm1->SetMinute(0);
    Alarm1->SetAmPm(TAmPm::am);
    alarmCommands_ = std::make_unique<AlarmCommands>(*Alarm1, *AlarmShape, *pmnuAlarmOff, ClockSettings,
                                                     services_.sound, services_.clock, services_.help);
    BuildAboutDialog();
    ConnectControls();
    ErrorHandler::Run([this] { FormCreate(); });
    // Screen readers hear the captions without access keys and colons.
    NameControlsForSpeech(this);
}

TfrmClock::~TfrmClock() = default;

void TfrmClock::BuildControls()
{
    Panel1 = new ClockPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, kWidth, kHeight);
    connect(Panel1, &ClockPanel::moveStarted, this, [this] { movedByHand_ = true; });

    Bevel2 = new Bevel(Panel1);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel2->setLineWidth(1);
    Bevel2->setGeometry(5, 5, 102, 29);

    lblClock = new ClockFace(Panel1);
    lblClock->setObjectName(QStringLiteral("lblClock"));
    lblClock->setGeometry(7, 7, 98, 25);
    lblClock->setAlignment(Qt::AlignCenter);
    lblClock->setAutoFillBackground(true);
    QPalette face = lblClock->palette();
    face.setColor(QPalette::Window, Qt::black);
    face.setColor(QPalette::WindowText, QColor(0, 255, 0));
    lblClock->setPalette(face);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(23);
    font.setBold(true);
    lblClock->setFont(font);

    AlarmShape = new AlarmIndicator(Panel1);
    AlarmShape->setObjectName(QStringLiteral("AlarmShape"));
    AlarmShape->setGeometry(7 + 98 - 6, 7, 6, 6);
    AlarmShape->hide();

    sbtnConfig = new SpeedButton(Panel1);
    sbtnConfig->setObjectName(QStringLiteral("sbtnConfig"));
    sbtnConfig->setGeometry(111, 7, 27, 25);
    sbtnConfig->setToolTip(tr("Options"));
    sbtnConfig->setAccessibleName(tr("Options"));
    sbtnConfig->setAccessibleDescription(tr("ｺﾏﾝﾄﾞﾒﾆｭｰを開きます"));
    sbtnConfig->SetGlyph(QPixmap(QStringLiteral(":/shell/options_glyph.xpm")));

    SpeedButton2 = new SpeedButton(Panel1);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(140, 7, 25, 25);
    SpeedButton2->setToolTip(tr("Panic"));
    SpeedButton2->setAccessibleName(tr("Panic"));
    SpeedButton2->setAccessibleDescription(tr("緊急表示壁紙に切り替えます"));
    SpeedButton2->SetGlyph(QPixmap(QStringLiteral(":/shell/panic_glyph.xpm")));
}

void TfrmClock::ConnectControls()
{
    connect(lblClock, &ClockFace::clicked, this, &TfrmClock::DoCalendar);
    connect(lblClock, &ClockFace::rightReleased, this, &TfrmClock::pmnuAlarmSetClick);
    // The date tooltip is refreshed whenever the mouse arrives on the face.
    connect(lblClock, &ClockFace::entered, this, &TfrmClock::UpdateDateHint);
    connect(sbtnConfig, &QToolButton::clicked, this, &TfrmClock::sbtnConfigClick);
    connect(sbtnConfig, &SpeedButton::rightReleased, this, &TfrmClock::ShowOptionsDialog);
    connect(SpeedButton2, &SpeedButton::mousePressed, this, &TfrmClock::SpeedButton2MouseDown);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmClock::SpeedButton2Click);
    connect(SpeedButton2, &SpeedButton::mouseReleased, this, &TfrmClock::SpeedButton2MouseUp);
}

void TfrmClock::FormCreate()
{
    Timer1.stop();
    resize(kWidth, kHeight);
    Alarm1->SetEnabled(false);
    AlarmShape->hide();

    LoadSettings(services_.profile, ClockSettings, ChimeArmed);
    SettingsLoaded = true;
    ReloadSounds();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->geometry().size() : QSize(kWidth, kHeight);
    const WindowPlace place = ClampIntoScreen(ClockSettings.OffsetX, ClockSettings.OffsetY, width(), height(),
                                              area.width(), area.height());
    move(place.left, place.top);
    ApplyOnTop();
    // The help file was given to the help service when it was made (main).

    lblClock->setText(QString::fromStdString(ClockText(services_.clock.Now(), ClockSettings.Clock24)));
    setAccessibleDescription(lblClock->text());
    pmnuWallPause->setChecked(false);
    pmnuWallPause->setEnabled(ClockSettings.WallChangeSw);
    SaverActive = services_.saver.IsActive();
    pmnuSaverStop->setChecked(!SaverActive);
    // The wallpaper side: the first change moment, WindowsDir and
    // TempWallFile, and file dropping switched on.
    StartWallpaper();
    Timer1.start(kTickMs);
}

void TfrmClock::ApplyOnTop()
{
    const bool wasVisible = isVisible();
    const bool onTop = ClockSettings.OnTop;
    if (onTop == bool(windowFlags() & Qt::WindowStaysOnTopHint))
        return;
    const QPoint at = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides a shown window
    move(at);
    if (wasVisible)
        show();
}

void TfrmClock::UpdateDateHint()
{
    // The locale's abbreviated weekday names, Sunday first.
    const QLocale locale;
    std::vector<std::string> names;
    names.push_back(locale.dayName(7, QLocale::ShortFormat).toStdString());
    for (int day = 1; day <= 6; ++day)
        names.push_back(locale.dayName(day, QLocale::ShortFormat).toStdString());
    lblClock->setToolTip(QString::fromStdString(DateHintText(services_.clock.Now(), names)));
}

void TfrmClock::closeEvent(QCloseEvent* event)
{
    if (sessionEnded_) {
        event->accept();
        return;
    }
    // A failed save leaves the window open and the program running, so the
    // user can free the disk or fix the file and close again.
    if (SettingsLoaded && !ErrorHandler::Run([this] {
            const QPoint at = PlaceToSave();
            SaveSettings(services_.profile, ClockSettings, at.x(), at.y());
        })) {
        event->ignore();
        return;
    }
    services_.help.Quit();
    event->accept();
}

void TfrmClock::SessionEnding()
{
    if (SettingsLoaded) {
        try {
            const QPoint at = PlaceToSave();
            SaveSettings(services_.profile, ClockSettings, at.x(), at.y());
        } catch (const std::exception& e) {
            qCWarning(lcShell, "the settings could not be saved at session end: %s", ShownEscaped(e.what()).c_str());
        }
    }
}

void TfrmClock::EndSession()
{
    if (sessionEnded_)
        return;
    sessionEnded_ = true;
    SessionEnding();
    services_.help.Quit();
    // exit, not quit: quit would close the window, and the close saves again
    // and stays open when that save fails.
    QCoreApplication::exit(0);
}

void TfrmClock::BringForward()
{
    if (windowState() & Qt::WindowMinimized)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

QPoint TfrmClock::PlaceToSave() const
{
    const WindowPlace at = ::PlaceToSave({ClockSettings.OffsetX, ClockSettings.OffsetY}, {x(), y()},
                                         WindowPlaceKnown(QGuiApplication::platformName().toStdString()), movedByHand_);
    return {at.left, at.top};
}

void TfrmClock::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The window manager's own shift comes as it maps the window (a place it
    // will not allow, a frame it adds); a move seconds later is the user's,
    // made through the window manager (its key and a drag, its keyboard move).
    constexpr qint64 kPlacingMs = 3000;
    if (shownFor_.isValid() && shownFor_.elapsed() > kPlacingMs)
        movedByHand_ = true;
}

void TfrmClock::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    shownFor_.start();
    // Where the window manager does not float the window by its hints, it is
    // asked to, at the window's place. Qt makes the X11 window anew after
    // this event when the stacking flag changed, so the window is named once
    // it is shown.
    QTimer::singleShot(0, this, [this] {
        const QWindow* handle = windowHandle();
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        services_.windowManager.FloatAt(x11 && handle ? static_cast<std::uintptr_t>(handle->winId()) : 0, x(), y());
    });
}

void TfrmClock::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        services_.help.ShowContext(kWindowHelp);
        return;
    }
    if (MoveByKeyboard(*event))
        return;
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        ShowCommandMenuFromKeyboard();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmClock::MoveByKeyboard(const QKeyEvent& event)
{
    // Ctrl and an arrow move the clock 10 pixels, with Shift too 1 pixel.
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const int step = (mods & Qt::ShiftModifier) ? 1 : 10;
    QPoint by;
    switch (event.key()) {
    case Qt::Key_Left: by = {-step, 0}; break;
    case Qt::Key_Right: by = {step, 0}; break;
    case Qt::Key_Up: by = {0, -step}; break;
    case Qt::Key_Down: by = {0, step}; break;
    default: return false;
    }
    movedByHand_ = true;
    move(pos() + by);
    return true;
}

void TfrmClock::contextMenuEvent(QContextMenuEvent* event)
{
    // The right button has its own meaning on each part of the clock; only the
    // keyboard's menu request opens the command menu here.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    ShowCommandMenuFromKeyboard();
}

void TfrmClock::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimised by the window manager as by the menu: the caption shows the
    // time from then on, and the tick keeps it so.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized))
        setWindowTitle(lblClock->text());
}

void TfrmClock::ShowCommandMenuFromKeyboard()
{
    // X11 sends the Menu key both as a menu request and as a key: one menu.
    if (PopupMenu1->isVisible())
        return;
    sbtnConfigClick();
    // Opened from the keyboard, the first item is highlighted, so the arrows
    // and Return work from it at once.
    for (QAction* item : PopupMenu1->actions())
        if (!item->isSeparator() && item->isEnabled() && item->isVisible()) {
            PopupMenu1->setActiveAction(item);
            break;
        }
}
