// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/error_handler.h"

#include "base/translatable.h"
#include "base/ui/app_title.h"
#include "base/zelvaro_error.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <cstdio>

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
    const std::exception_ptr error = std::current_exception();
    try {
        try {
            throw;
        } catch (const ZelvaroError& e) {
            Show(e.Pattern(), e.Argument());
        } catch (const std::exception& e) {
            Show(e.what());
        } catch (...) {
            Show("Unknown error");
        }
    } catch (...) {
        // The box could not be made either (no memory left for it, as a rule):
        // the message goes to the log, which needs none, and the program runs on.
        std::fputs("zelvaro: an error could not be shown: ", stderr);
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::fputs(e.what(), stderr);
        } catch (...) {
            std::fputs("Unknown error", stderr);
        }
        std::fputs("\n", stderr);
    }
}

}  // namespace ErrorHandler
