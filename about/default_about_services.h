// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box's services over the Linux backends: the default browser from
// the MIME associations, detached process starts, and the machine facts main already has.

#include "about/about_services.h"
#include "platform/linux/process_launcher.h"
#include "platform/linux/xdg_default_browser.h"

class DefaultAboutServices {
public:
    explicit DefaultAboutServices(const platform::SystemFacts& facts) : services_{browser_, launcher_, facts} {}
    const AboutServices& Services() const { return services_; }

private:
    platform::XdgDefaultBrowser browser_;
    platform::ProcessLauncher launcher_;
    AboutServices services_;
};
