// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's error handler: an error that leaves an event handler is
// shown in a message box with the error icon, one OK button and the
// application title as caption, and the program runs on.

#include <QString>

#include <exception>
#include <functional>
#include <string>

class QWidget;

namespace ErrorHandler {

// Shows one error message (the full stop rule applied). Tests replace the
// presenter to record messages instead of opening a box.
void Show(const std::string& message);
// Shows a message made of a pattern with one "%s" and its argument; the
// pattern is translated first.
void Show(const std::string& pattern, const std::string& argument);
// Shows a message that is already in the interface's language.
void ShowTranslated(const std::string& message);

using Presenter = std::function<void(const QString& caption, const QString& text)>;
// Installs a presenter; an empty one restores the message box.
void SetPresenter(Presenter presenter);

// Shows the message of the exception in flight (call inside a catch block).
void ShowCurrentException();

// Runs one handler under the error handler: the rest of the handler is
// abandoned on an error, which is shown; returns false when it raised.
template <class F>
bool Run(F&& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

}  // namespace ErrorHandler
