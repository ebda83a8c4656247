#pragma once
// A stand-in main window until the clock window exists: it loads the settings
// at start, shows the time, and saves the settings when it closes.

#include "platform/profile_file.h"
#include "shell/clock_settings.h"

#include <QLabel>

#include <memory>

class PlaceholderWindow : public QLabel {
    Q_OBJECT
public:
    explicit PlaceholderWindow(std::unique_ptr<platform::ProfileFile> profile);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<platform::ProfileFile> profile_;
    ClockSettings settings_;
    bool chimeArmed_ = false;
};
