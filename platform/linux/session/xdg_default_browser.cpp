// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/session/xdg_default_browser.h"

#include "base/text_helpers.h"
#include "platform/key_file.h"
#include "platform/linux/files/disk_profile_file.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <utility>

namespace platform {

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> SplitList(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

bool IsFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

XdgDirs XdgDirs::FromEnvironment()
{
    XdgDirs dirs;
    const std::string home = Env("HOME");
    dirs.configHome = Env("XDG_CONFIG_HOME");
    if (dirs.configHome.empty())
        dirs.configHome = home + "/.config";
    dirs.configDirs = SplitList(Env("XDG_CONFIG_DIRS"), ':');
    if (dirs.configDirs.empty())
        dirs.configDirs = {"/etc/xdg"};
    dirs.dataHome = Env("XDG_DATA_HOME");
    if (dirs.dataHome.empty())
        dirs.dataHome = home + "/.local/share";
    dirs.dataDirs = SplitList(Env("XDG_DATA_DIRS"), ':');
    if (dirs.dataDirs.empty())
        dirs.dataDirs = {"/usr/local/share", "/usr/share"};
    for (std::string name : SplitList(Env("XDG_CURRENT_DESKTOP"), ':')) {
        for (char& c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        dirs.desktops.push_back(name);
    }
    return dirs;
}

XdgDefaultBrowser::XdgDefaultBrowser(XdgDirs dirs) : dirs_(std::move(dirs))
{}

std::string XdgDefaultBrowser::CommandLine() const
{
    for (const char* mimeType : {"x-scheme-handler/http", "text/html"}) {
        const std::string id = DefaultHandler(mimeType);
        if (!id.empty())
            return ExecLine(id);
    }
    return {};
}

std::string XdgDefaultBrowser::DesktopFilePath(const std::string& desktopId) const
{
    if (desktopId.empty() || desktopId.find('/') != std::string::npos || desktopId.find("..") != std::string::npos)
        return {};
    std::vector<std::string> appDirs{dirs_.dataHome + "/applications"};
    for (const std::string& dir : dirs_.dataDirs)
        appDirs.push_back(dir + "/applications");
    for (const std::string& dir : appDirs) {
        if (IsFile(dir + "/" + desktopId))
            return dir + "/" + desktopId;
        // "vendor-name.desktop" may also be vendor/name.desktop.
        for (std::size_t dash = desktopId.find('-'); dash != std::string::npos; dash = desktopId.find('-', dash + 1)) {
            std::string nested = desktopId;
            nested[dash] = '/';
            if (IsFile(dir + "/" + nested))
                return dir + "/" + nested;
        }
    }
    return {};
}

std::string XdgDefaultBrowser::DefaultHandler(const std::string& mimeType) const
{
    // The lists in the order the MIME applications rules give: per directory,
    // the desktop-specific list before the common one.
    std::vector<std::string> lists;
    auto addDir = [&](const std::string& dir) {
        for (const std::string& desktop : dirs_.desktops)
            lists.push_back(dir + "/" + desktop + "-mimeapps.list");
        lists.push_back(dir + "/mimeapps.list");
    };
    addDir(dirs_.configHome);
    for (const std::string& dir : dirs_.configDirs)
        addDir(dir);
    addDir(dirs_.dataHome + "/applications");
    for (const std::string& dir : dirs_.dataDirs)
        addDir(dir + "/applications");

    // The first installed entry named as default wins; then the added
    // associations, then the older defaults.list files.
    auto firstInstalled = [this](const std::optional<std::string>& value) -> std::string {
        for (const std::string& id : SplitList(value.value_or(""), ';'))
            if (!DesktopFilePath(TrimBlanksAndReturns(id)).empty())
                return TrimBlanksAndReturns(id);
        return {};
    };
    std::vector<std::pair<std::string, const char*>> lookups;
    for (const char* group : {"Default Applications", "Added Associations"})
        for (const std::string& list : lists)
            lookups.emplace_back(list, group);
    for (const std::string& dir : dirs_.dataDirs)
        lookups.emplace_back(dir + "/applications/defaults.list", "Default Applications");
    for (const auto& [file, group] : lookups) {
        std::string content;
        if (!ReadWholeFile(file, content))
            continue;
        const std::string id = firstInstalled(KeyFileValue(content, group, mimeType));
        if (!id.empty())
            return id;
    }
    return {};
}

std::string XdgDefaultBrowser::ExecLine(const std::string& desktopId) const
{
    const std::string path = DesktopFilePath(desktopId);
    std::string content;
    if (path.empty() || !ReadWholeFile(path, content))
        return {};
    if (KeyFileValue(content, "Desktop Entry", "Hidden").value_or("") == "true")
        return {};
    return UnescapeKeyFileString(KeyFileValue(content, "Desktop Entry", "Exec").value_or(""));
}

}  // namespace platform
