#pragma once
// The screen saver of a GNOME-family or KDE desktop: switched through the
// desktop's own settings (GNOME: org.gnome.desktop.session idle-delay) and
// started through its D-Bus screen-saver service; the X server's saver is
// kept in step so X clients see the same state.

#include "platform/linux/x11_screen_saver.h"
#include "platform/screen_saver.h"

#include <memory>

namespace platform {

class DesktopSessionScreenSaver : public ScreenSaver {
public:
    // `gnomeSettings`: whether the GNOME session settings exist here.
    explicit DesktopSessionScreenSaver(bool gnomeSettings);
    bool IsActive() override;
    void SetActive(bool active) override;
    void StartNow() override;

    // Whether this desktop session has settings or a service this backend uses.
    static bool Available(bool& gnomeSettings);

private:
    bool gnome_;
    unsigned savedDelay_ = 300;
    X11ScreenSaver x11_;
};

// The backend for the running desktop: the desktop's own where one is found,
// else the X server's.
std::unique_ptr<ScreenSaver> MakeScreenSaver();

}  // namespace platform
