#include "shell/placeholder_window.h"

#include "shell/app_title.h"
#include "shell/error_handler.h"
#include "shell/settings_file.h"

#include <QCloseEvent>

PlaceholderWindow::PlaceholderWindow(std::unique_ptr<platform::ProfileFile> profile) : profile_(std::move(profile))
{
    setWindowTitle(QString::fromUtf8(kClockCaption));
    setFixedSize(173, 39);
    setAlignment(Qt::AlignCenter);
    setText(QStringLiteral("Zelvaro"));
    if (ErrorHandler::Run([&] { LoadSettings(*profile_, settings_, chimeArmed_); }))
        move(settings_.OffsetX, settings_.OffsetY);
}

void PlaceholderWindow::closeEvent(QCloseEvent* event)
{
    if (!ErrorHandler::Run([&] { SaveSettings(*profile_, settings_, x(), y()); }))
        event->ignore();
}
