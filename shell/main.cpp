// Program entry.

#include "platform/linux/disk_profile_file.h"
#include "shell/placeholder_window.h"
#include "shell/settings_file.h"
#include "shell/zelvaro_application.h"

int main(int argc, char** argv)
{
    // Window placement and stay-on-top need X11; under Wayland this runs
    // through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    ZelvaroApplication app(argc, argv);
    const std::string exe = QCoreApplication::applicationFilePath().toStdString();
    PlaceholderWindow window(std::make_unique<platform::DiskProfileFile>(ProgramFilePath(exe, ".INI")));
    window.show();
    return app.exec();
}
