#pragma once
// The program's help viewer: a window over the help file (HTML, one section
// per help context number), opened at the contents or at a topic.

#include "platform/help.h"

#include <QTextBrowser>

#include <string>

class HelpWindow : public QTextBrowser, public platform::Help {
    Q_OBJECT
public:
    // `helpFile`: the help file's path (beside the executable, ".HLP").
    explicit HelpWindow(std::string helpFile, QWidget* parent = nullptr);

    void ShowContents() override;
    void ShowContext(int context) override;
    void Quit() override;

    // The context shown now, -1 before the first topic.
    int CurrentContext() const { return current_; }

private:
    void FollowLink(const QUrl& link);

    std::string helpFile_;
    int current_ = -1;
};
