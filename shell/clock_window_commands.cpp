// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's command menu and its handlers.

#include "about/about_texts.h"
#include "about/am_custom_about_dialog.h"
#include "alarm/alarm_commands.h"
#include "base/ui/error_handler.h"
#include "calendar/calendar_dlg.h"
#include "options/registry_enhanced.h"
#include "shell/clock_window.h"
#include "shell/help_topics.h"
#include "shell/saver_toggle.h"
#include "sysinfo/info_dlg.h"
#include "wallpaper/file_drag.h"
#include "wallpaper/wallpaper_manager.h"

#include <QKeyEvent>

namespace {

constexpr const char* kHelpContext = "helpContext";

// Every item carries its help topic, so F1 on it opens that item's page.
void SetHelpContext(QAction* item, const char* objectName)
{
    if (const int context = MenuHelpContext(objectName); context >= 0)
        item->setProperty(kHelpContext, context);
}

QAction* AddItem(QMenu* menu, const char* objectName, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(objectName));
    SetHelpContext(item, objectName);
    return item;
}

QAction* AddSeparator(QMenu* menu, const char* objectName)
{
    QAction* line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(objectName));
    return line;
}

// A check-mark item whose handler inverts the mark itself: the automatic
// toggle of the menu is taken back first, so the handler sees the mark as it
// was and a direct call of the handler does the same as the menu.
template <class Handler>
void ConnectCheckItem(QAction* item, TfrmClock* window, Handler handler)
{
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, window, [item, window, handler] {
        item->setChecked(!item->isChecked());
        (window->*handler)();
    });
}

}  // namespace

void TfrmClock::BuildCommandMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    pmnuAlarmSet = AddItem(PopupMenu1, "pmnuAlarmSet", tr("ｱﾗｰﾑ設定"));
    pmnuAlarmOff = AddItem(PopupMenu1, "pmnuAlarmOff", tr("ｱﾗｰﾑ停止"));
    pmnuAlarmOff->setCheckable(true);
    pmnuAlarmOff->setChecked(true);
    N7 = AddSeparator(PopupMenu1, "N7");
    K3 = PopupMenu1->addMenu(tr("壁紙指定"));
    K3->setObjectName(QStringLiteral("K3"));
    K3->menuAction()->setObjectName(QStringLiteral("K3"));
    SetHelpContext(K3->menuAction(), "K3");
    K4 = AddItem(K3, "K4", tr("全　　体"));
    K5 = AddItem(K3, "K5", tr("中　　央"));
    pmnuSaverOn = AddItem(PopupMenu1, "pmnuSaverOn", tr("ｾｰﾊﾞ起動"));
    N5 = AddSeparator(PopupMenu1, "N5");
    pmnuWallPause = AddItem(PopupMenu1, "pmnuWallPause", tr("壁紙変更停止"));
    pmnuSaverStop = AddItem(PopupMenu1, "pmnuSaverStop", tr("ｾｰﾊﾞ停止"));
    N1 = AddSeparator(PopupMenu1, "N1");
    N6 = AddItem(PopupMenu1, "N6", tr("ｶﾚﾝﾀﾞｰ"));
    N8 = AddItem(PopupMenu1, "N8", tr("ｲﾝﾌｫﾒｰｼｮﾝ"));
    K1 = AddSeparator(PopupMenu1, "K1");
    K2 = AddItem(PopupMenu1, "K2", tr("ｵﾌﾟｼｮﾝ設定"));
    pmnuIcon = AddItem(PopupMenu1, "pmnuIcon", tr("ｱ ｲ ｺ ﾝ"));
    N2 = AddSeparator(PopupMenu1, "N2");
    N3 = AddItem(PopupMenu1, "N3", tr("ﾍ  ﾙ  ﾌﾟ"));
    About1 = AddItem(PopupMenu1, "About1", tr("ﾊﾞｰｼﾞｮﾝ"));
    N4 = AddSeparator(PopupMenu1, "N4");
    pmnuQuit = AddItem(PopupMenu1, "pmnuQuit", tr("終    了"));

    connect(PopupMenu1, &QMenu::aboutToShow, this, &TfrmClock::PopupMenu1Popup);
    connect(pmnuAlarmSet, &QAction::triggered, this, &TfrmClock::pmnuAlarmSetClick);
    ConnectCheckItem(pmnuAlarmOff, this, &TfrmClock::pmnuAlarmOffClick);
    connect(K4, &QAction::triggered, this, &TfrmClock::K4Click);
    connect(K5, &QAction::triggered, this, &TfrmClock::K5Click);
    connect(pmnuSaverOn, &QAction::triggered, this, &TfrmClock::pmnuSaverOnClick);
    ConnectCheckItem(pmnuWallPause, this, &TfrmClock::pmnuWallPauseClick);
    ConnectCheckItem(pmnuSaverStop, this, &TfrmClock::pmnuSaverStopClick);
    connect(N6, &QAction::triggered, this, &TfrmClock::DoCalendar);
    connect(N8, &QAction::triggered, this, &TfrmClock::N8Click);
    connect(K2, &QAction::triggered, this, &TfrmClock::ShowOptionsDialog);
    connect(pmnuIcon, &QAction::triggered, this, &TfrmClock::pmnuIconClick);
    connect(N3, &QAction::triggered, this, &TfrmClock::N3Click);
    connect(About1, &QAction::triggered, this, &TfrmClock::About1Click);
    connect(pmnuQuit, &QAction::triggered, this, &TfrmClock::pmnuQuitClick);
    // F1 on a highlighted item opens its topic, elsewhere the menu's.
    PopupMenu1->installEventFilter(this);
    K3->installEventFilter(this);
}

bool TfrmClock::eventFilter(QObject* watched, QEvent* event)
{
    // Which key, if any, is down while the menu chooses an item.
    if (qobject_cast<QMenu*>(watched)) {
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            menuKeyDown_ = static_cast<QKeyEvent*>(event)->key();
        else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            menuKeyDown_ = 0;
        else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                 event->type() == QEvent::Show)
            menuKeyDown_ = 0;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            const QAction* item = menu->activeAction();
            const QVariant context = item ? item->property(kHelpContext) : QVariant();
            services_.help.ShowContext(context.isValid() ? context.toInt() : kMenuHelp);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmClock::sbtnConfigClick()
{
    PopupMenu1->popup(QPoint(x() + 110, y() + 30));
}

void TfrmClock::PopupMenu1Popup()
{
    // The saver may have been switched elsewhere since the last look.
    SaverActive = services_.saver.IsActive();
    pmnuSaverStop->setChecked(SaverStopChecked(SaverActive));
}

void TfrmClock::pmnuSaverOnClick()
{
    // Chosen with a key, the saver starts once the key is up: its release
    // would end the saver at once.
    saverAfterKey_.Run(std::exchange(menuKeyDown_, 0), [this] { services_.saver.StartNow(); });
}

void TfrmClock::pmnuSaverStopClick()
{
    const SaverStopStep step = SaverStopClicked(pmnuSaverStop->isChecked());
    services_.saver.SetActive(step.saverActive);
    pmnuSaverStop->setChecked(step.checked);
}

void TfrmClock::pmnuWallPauseClick()
{
    pmnuWallPause->setChecked(!pmnuWallPause->isChecked());
}

void TfrmClock::pmnuIconClick()
{
    showMinimized();
    setWindowTitle(QString::fromStdString(ClockText(services_.clock.Now(), ClockSettings.Clock24)));
}

void TfrmClock::N3Click()
{
    services_.help.ShowContents();
}

void TfrmClock::pmnuQuitClick()
{
    close();
}

// The alarm commands live with the alarm.
void TfrmClock::pmnuAlarmSetClick()
{
    alarmCommands_->pmnuAlarmSetClick();
}

void TfrmClock::pmnuAlarmOffClick()
{
    alarmCommands_->pmnuAlarmOffClick();
}

void TfrmClock::DoCalendar()
{
    ::DoCalendar(this, services_.clock, services_.help);
}

void TfrmClock::N8Click()
{
    ShowInfoDialog(this, services_.facts, services_.wallpaper.registry);
}

void TfrmClock::BuildAboutDialog()
{
    MyAboutDialog = new TAMCustomAboutDialog(services_.about, this);
    MyAboutDialog->setObjectName(QStringLiteral("MyAboutDialog"));
    MyAboutDialog->AppName = QString::fromUtf8(kAboutAppName);
    MyAboutDialog->Caption = tr(kAboutCaption);
    MyAboutDialog->Copyright = QString::fromUtf8(kAboutCopyright);
    MyAboutDialog->ExtraInfo = QString::fromUtf8(kAboutExtraInfo);
    MyAboutDialog->Icon = windowIcon();
    MyAboutDialog->PhysicalMem = QString::fromUtf8(kDefaultPhysicalMem);
    MyAboutDialog->SystemRes = QString::fromUtf8(kDefaultSystemRes);
    MyAboutDialog->TargetOS = QString::fromUtf8(kAboutTargetOS);
}

void TfrmClock::About1Click()
{
    if (MyAboutDialog)
        MyAboutDialog->Execute();
}

// The wallpaper handlers go to the wallpaper side (wallpaper/wallpaper_manager.h).
void TfrmClock::StartWallpaper()
{
    // A start-up run again replaces the wallpaper side rather than adding one.
    delete Wallpaper;
    delete FileDrag1;
    Wallpaper = new WallpaperManager(ClockSettings, services_.clock, services_.wallpaper, services_.windowsDir, this);
    Wallpaper->setObjectName(QStringLiteral("Wallpaper"));
    Wallpaper->SetPauseItem(pmnuWallPause);
    connect(Wallpaper, &WallpaperManager::ChangeDue, this, &TfrmClock::ClockWasSet);
    Wallpaper->FormCreate();
    RegistryEnhanced1 = std::make_unique<TRegistryEnhanced>(services_.wallpaper.registry);
    RegistryEnhanced1->Key = "Control Panel\\Desktop\\";
    RegistryEnhanced1->RootKey = platform::RootKey::CurrentUser;
    FileDrag1 = new TFileDrag(this);
    FileDrag1->OnDrop = [this](TFileDrag* sender) {
        ErrorHandler::Run([&] { Wallpaper->FilesDropped(sender->NameWithPath); });
    };
    FileDrag1->SetEnableDrop(true);
}

void TfrmClock::SpeedButton2MouseDown(Qt::MouseButton button)
{
    Wallpaper->PanicPressed(button);
}

void TfrmClock::SpeedButton2Click()
{
    Wallpaper->PanicClicked();
}

void TfrmClock::SpeedButton2MouseUp(Qt::MouseButton)
{
    Wallpaper->PanicReleased();
}

void TfrmClock::WallpaperDueStep(TDateTime now)
{
    Wallpaper->WallpaperDueStep(now);
}
