// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's help viewer: a window over the help file (HTML, one section
// per help context number), opened at the contents or at a topic. It stays
// usable while a modal dialog is open, so a dialog's help can be read beside
// the dialog, scrolled, followed and closed.

#include "platform/file_reader.h"
#include "platform/help.h"

#include <QPointer>
#include <QTextBrowser>
#include <QWindow>

#include <string>
#include <vector>

class QPushButton;

class HelpWindow : public QTextBrowser, public platform::Help {
    Q_OBJECT
public:
    // `helpFile`: the help file's path (beside the executable, ".HLP"), read
    // through `files` each time a topic is shown.
    HelpWindow(std::string helpFile, const platform::FileReader& files, QWidget* parent = nullptr);

    void ShowContents() override;
    void ShowContext(int context) override;
    void Quit() override;

    // The context shown now, -1 before the first topic.
    int CurrentContext() const { return current_; }

    // Shows the topic shown before the current one; nothing when there is none.
    void GoBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape and the close shortcut (Ctrl+W) close the window, as in other
    // viewers; Backspace goes back to the topic shown before, as Alt+Left and
    // the Back button do (Alt+Home and the Contents button: the contents).
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The row of Back and Contents above the text, inside the frame.
    void BuildButtonRow();
    void FollowLink(const QUrl& link);
    // Shows `context` without noting it in the history.
    void Show(int context);
    // Keeps the whole window on the screen it opens on.
    void KeepOnScreen();
    // Puts the help window under the modal window on top (none: under no
    // window), which keeps the modal window from blocking it.
    void StayUsableBeside(QWidget* modal);

    std::string helpFile_;
    const platform::FileReader& files_;
    int current_ = -1;
    std::vector<int> history_;       // the topics shown before the current one
    QPointer<QWindow> mappedOwner_;  // the owner the window manager knows
    QWidget* buttonRow_ = nullptr;
    QPushButton* back_ = nullptr;
};
