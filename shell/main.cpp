// Program entry: one copy per executable file name, then the clock window
// over the real services.

#include "about/default_about_services.h"
#include "platform/linux/desktop_session_screen_saver.h"
#include "platform/linux/disk_profile_file.h"
#include "platform/linux/linux_system_facts.h"
#include "platform/linux/sdl_sound.h"
#include "platform/linux/signal_session_end.h"
#include "platform/linux/socket_instance_guard.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/system_dirs.h"
#include "platform/linux/timerfd_clock_set_watch.h"
#include "base/ui/app_title.h"
#include "shell/clock_window.h"
#include "shell/dialog_help_key.h"
#include "shell/help_window.h"
#include "shell/instance_name.h"
#include "shell/settings_file.h"
#include "shell/zelvaro_application.h"
#include "wallpaper/default_wallpaper_services.h"

int main(int argc, char** argv)
{
    std::string exe = platform::ExecutablePath();
    if (exe.empty())
        exe = argc > 0 ? argv[0] : "zelvaro";

    // A later start brings the running copy forward and ends here, before it
    // reads or writes anything.
    platform::SocketInstanceGuard guard(InstanceName(exe, platform::UserId(), platform::DisplayName()));
    if (!guard.Acquire()) {
        guard.BringRunningCopyForward();
        return 0;
    }

    // Window placement and stay-on-top need X11; under Wayland this runs
    // through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Qt's shared-memory window buffers make the server send a completion
    // event after every repaint, which wakes Qt's X reader thread each time
    // the face changes; the windows are small, so plain uploads cost nothing.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    ZelvaroApplication app(argc, argv);

    platform::SystemClock clock;
    platform::SdlSound sound;
    HelpWindow help(ProgramFilePath(exe, ".HLP"));
    DialogHelpKey dialogHelpKey(help);
    app.installEventFilter(&dialogHelpKey);
    const std::unique_ptr<platform::ScreenSaver> saver = platform::MakeScreenSaver();
    platform::DiskProfileFile profile(ProgramFilePath(exe, ".INI"));
    const std::string windowsDir = platform::WindowsDirectory();
    DefaultWallpaperServices wallpaper(windowsDir);
    const platform::LinuxSystemFacts facts;
    DefaultAboutServices about(facts);
    platform::TimerfdClockSetWatch clockSet;
    TfrmClock window(ClockServices{clock, sound, help, *saver, profile, windowsDir, wallpaper.Services(), facts,
                                   about.Services(), clockSet});

    guard.OnForwardRequest([&window] { window.BringForward(); });
    // Log-off, shut-down and termination signals save the settings once, as
    // the close does, then end the program even when the save failed.
    platform::SignalSessionEnd sessionEnd;
    sessionEnd.OnEnd([&window] { window.EndSession(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.SessionEnding(); });

    window.show();
    return app.exec();
}
