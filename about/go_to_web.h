// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box's web and mail launcher: finds the user's web browser and
// opens the home page in it, or starts a mail message to the contact address.

#include "about/browser_command.h"
#include "platform/default_browser.h"
#include "platform/launcher.h"

#include <string>

enum class TBrowserState { gwMaximized, gwNormal };

class TGoToWeb {
public:
    TGoToWeb(const platform::DefaultBrowser& browser, platform::Launcher& launcher);

    std::string Url;           // the home page
    std::string EMail;         // the contact address
    std::string EMailSubject;  // kept with the address; no operation uses it
    // How the browser's window should come up. Kept for the dialog; on this
    // platform the browser and the window manager decide its state.
    TBrowserState BrowserState = TBrowserState::gwNormal;

    // The browser's program and the parameters that go before the address;
    // an empty program when there is no browser.
    BrowserCommand FindBrowser() const;
    // Starts the browser on Url; true when it was started. No browser, or a
    // browser that cannot be started, gives false and shows nothing.
    bool OpenUrl();
    // Hands "mailto:" + EMail to the desktop's opener, but only when a
    // browser was found; true when the opener was started.
    bool SendMail();

private:
    const platform::DefaultBrowser& browser_;
    platform::Launcher& launcher_;
};
