#pragma once
// The about box's services over the Linux backends: the default browser from
// the MIME associations, detached process starts, the physical memory.

#include "about/about_services.h"
#include "platform/linux/process_launcher.h"
#include "platform/linux/sysconf_physical_memory.h"
#include "platform/linux/xdg_default_browser.h"

class DefaultAboutServices {
public:
    const AboutServices& Services() const { return services_; }

private:
    platform::XdgDefaultBrowser browser_;
    platform::ProcessLauncher launcher_;
    platform::SysconfPhysicalMemory memory_;
    AboutServices services_{browser_, launcher_, memory_};
};
