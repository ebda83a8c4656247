// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: one copy per executable file name, then the clock window
// over the real services.

#include "base/ui/app_title.h"
#include "platform/linux/files/system_dirs.h"
#include "platform/linux/session/signal_session_end.h"
#include "platform/linux/session/socket_instance_guard.h"
#include "shell/boxes_beside_clock.h"
#include "shell/clock_window.h"
#include "shell/command_line.h"
#include "shell/dialog_help_key.h"
#include "shell/help_window.h"
#include "shell/instance_name.h"
#include "shell/layer_clock.h"
#include "shell/modal_dialogs_stay_up.h"
#include "shell/program_files.h"
#include "shell/real_services.h"
#include "shell/window_system.h"
#include "shell/zelvaro_application.h"

#include <QWidget>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// The settings file of this copy; an installed copy's folder is made when missing.
// A copy is portable when it is not installed and its folder is writable.
std::string ChooseSettingsFile(const std::string& exe)
{
    const auto slash = exe.rfind('/');
    const bool portable = !IsInstalledCopy(exe, ZELVARO_DATA_FROM_BIN, platform::FileExists) &&
                          platform::FolderWritable(slash == std::string::npos ? "." : exe.substr(0, slash + 1));
    const std::string configDir = platform::UserConfigDirectory();
    if (!portable)
        platform::MakeDirectories(configDir);
    return SettingsFilePath(exe, portable, configDir);
}

// While the application connects to the display. Qt ends the program when
// it cannot: one line says what happened instead of Qt's notes about
// plugins. Nothing of this copy exists yet, so nothing is left behind.
std::string noDisplayLine;
QtMessageHandler laterMessages = nullptr;

void MessagesWhileConnecting(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplayLine.c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (laterMessages)
        laterMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    // A file size limit makes a write that passes it fail (short, EFBIG)
    // instead of ending the program: the writers then keep the old file and
    // remove their temporary one.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and --version answer before a copy starts or a file is touched.
    const CommandLineChoice choice = ChooseFromCommandLine(argc > 0 ? argv[0] : "zelvaro",
                                                           std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (choice.action != CommandLineAction::Run) {
        std::FILE* out = choice.action == CommandLineAction::Refuse ? stderr : stdout;
        // A usage or version that did not reach its reader (a full disk, a
        // closed pipe) is a failure, as with any command-line tool.
        const bool written = std::fputs(choice.text.c_str(), out) >= 0 && std::fflush(out) == 0 && !std::ferror(out);
        if (!written && choice.exitStatus == 0) {
            std::fprintf(stderr, "%s: write error\n", argc > 0 ? argv[0] : "zelvaro");
            return 1;
        }
        return choice.exitStatus;
    }

    std::string exe = platform::ExecutablePath();
    if (exe.empty())
        exe = argc > 0 ? argv[0] : "zelvaro";

    // Window placement and stay-on-top need X11; under Wayland this runs
    // through Xwayland where it is offered, else natively.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QtPlatformFor(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")));
    // Qt's shared-memory window buffers make the server send a completion
    // event after every repaint, which wakes Qt's X reader thread each time
    // the face changes; the windows are small, so plain uploads cost nothing.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    noDisplayLine = NoDisplayLine(argc > 0 ? argv[0] : "zelvaro", std::getenv("DISPLAY"),
                                  std::getenv("WAYLAND_DISPLAY"));
    laterMessages = qInstallMessageHandler(MessagesWhileConnecting);
    ZelvaroApplication app(argc, argv);
    qInstallMessageHandler(laterMessages);

    // A later start brings the running copy forward and ends here, before it
    // reads or writes anything.
    platform::SocketInstanceGuard guard(InstanceName(exe, platform::UserId(), platform::DisplayName()),
                                        platform::RuntimeDirectory());
    if (!guard.Acquire()) {
        guard.BringRunningCopyForward();
        return 0;
    }
    const InterfaceLanguage language = ChooseInterfaceLanguage(std::getenv);
    const std::string dataDir = DataFolder(exe, ZELVARO_DATA_FROM_BIN);
    app.UseLanguage(language, QString::fromStdString(dataDir + "translations"));
    // A later start is answered from here on, even while a start-up error box
    // is up before the clock window exists: the box comes forward then.
    TfrmClock* clockWindow = nullptr;
    guard.OnForwardRequest([&clockWindow] {
        if (clockWindow) {
            clockWindow->BringForward();
        } else if (QWidget* box = QApplication::activeModalWidget()) {
            box->raise();
            box->activateWindow();
        }
    });

    RealServices services(ChooseSettingsFile(exe), platform::WindowsDirectory());
    // First of the application's filters, so it sees a dialog's showing last.
    BoxesBesideClock boxesBesideClock;
    app.installEventFilter(&boxesBesideClock);
    HelpWindow help(LanguageHelpFilePath(exe, ZELVARO_DATA_FROM_BIN, platform::FileExists,
                                         language == InterfaceLanguage::English ? ".en.HLP" : ".HLP"),
                    services.Files());
    DialogHelpKey dialogHelpKey(help);
    app.installEventFilter(&dialogHelpKey);
    ModalDialogsStayUp modalDialogsStayUp;
    app.installEventFilter(&modalDialogsStayUp);
    ClockServices clockServices = services.Services(help);
    clockServices.soundFolder = SoundFolder(exe, ZELVARO_DATA_FROM_BIN, [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_directory(path, error);
    });
    TfrmClock window(clockServices);

    clockWindow = &window;
    boxesBesideClock.SetClock(&window);
    // Log-off, shut-down and termination signals save the settings once, as
    // the close does, then end the program even when the save failed.
    platform::SignalSessionEnd sessionEnd;
    sessionEnd.OnEnd([&window] { window.EndSession(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.SessionEnding(); });

    // Where the compositor offers layer surfaces, the clock is shown on one.
    std::unique_ptr<LayerClock> layerClock;
    if (platform::LayerShell* layers = services.LayerShell())
        layerClock = LayerClock::Make(window, *layers);
    if (!layerClock)
        window.show();
    return app.exec();
}
