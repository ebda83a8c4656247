// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/error_handler.h"

#include "base/ui/app_title.h"
#include "base/translatable.h"
#include "base/zelvaro_error.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

namespace ErrorHandler {

namespace {

Presenter& CurrentPresenter()
{
    static Presenter presenter;
    return presenter;
}

void ShowBox(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace

void Show(const std::string& message)
{
    ShowTranslated(QCoreApplication::translate(kMessagesContext, message.c_str()).toStdString());
}

void Show(const std::string& pattern, const std::string& argument)
{
    ShowTranslated(
        FormatMessage1(QCoreApplication::translate(kMessagesContext, pattern.c_str()).toStdString(), argument));
}

void ShowTranslated(const std::string& message)
{
    const QString caption = QString::fromUtf8(kApplicationTitle);
    const QString text = QString::fromStdString(ErrorBoxText(message));
    if (CurrentPresenter())
        CurrentPresenter()(caption, text);
    else
        ShowBox(caption, text);
}

void SetPresenter(Presenter presenter)
{
    CurrentPresenter() = std::move(presenter);
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const ZelvaroError& e) {
        Show(e.Pattern(), e.Argument());
    } catch (const std::exception& e) {
        Show(e.what());
    } catch (...) {
        Show("Unknown error");
    }
}

}  // namespace ErrorHandler
