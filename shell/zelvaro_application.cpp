#include "shell/zelvaro_application.h"

#include "shell/app_title.h"
#include "shell/error_handler.h"

ZelvaroApplication::ZelvaroApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("zelvaro"));
}

bool ZelvaroApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    ErrorHandler::Run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
