// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's default web browser from the freedesktop MIME associations:
// the handler of x-scheme-handler/http, else of text/html, as the user's and
// the system's mimeapps.list name it (as `xdg-mime query default` finds it),
// and the Exec line of its desktop entry. Reads those files only.

#include "platform/default_browser.h"

#include <string>
#include <vector>

namespace platform {

// The XDG base directories and the running desktop's names, in lookup order.
struct XdgDirs {
    std::string configHome;               // $XDG_CONFIG_HOME or ~/.config
    std::vector<std::string> configDirs;  // $XDG_CONFIG_DIRS or /etc/xdg
    std::string dataHome;                 // $XDG_DATA_HOME or ~/.local/share
    std::vector<std::string> dataDirs;    // $XDG_DATA_DIRS or /usr/local/share, /usr/share
    std::vector<std::string> desktops;    // $XDG_CURRENT_DESKTOP in lower case

    static XdgDirs FromEnvironment();
};

class XdgDefaultBrowser : public DefaultBrowser {
public:
    explicit XdgDefaultBrowser(XdgDirs dirs = XdgDirs::FromEnvironment());
    std::string CommandLine() const override;

    // The desktop file id of the default handler of `mimeType`, empty when none.
    std::string DefaultHandler(const std::string& mimeType) const;
    // The Exec line of an installed desktop entry, unescaped; empty when the
    // entry is missing, hidden or has none.
    std::string ExecLine(const std::string& desktopId) const;

private:
    std::string DesktopFilePath(const std::string& desktopId) const;
    XdgDirs dirs_;
};

}  // namespace platform
