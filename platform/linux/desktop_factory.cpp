#include "platform/linux/desktop_factory.h"

#include "platform/linux/gsettings_desktop.h"
#include "platform/linux/kde_desktop.h"
#include "platform/linux/x11_root_desktop.h"
#include "platform/linux/xfce_desktop.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

bool Has(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
}

std::string HomeDir()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

}  // namespace

std::string CurrentDesktopName()
{
    const char* name = std::getenv("XDG_CURRENT_DESKTOP");
    if (!name || !*name)
        name = std::getenv("DESKTOP_SESSION");
    std::string out = name ? name : "";
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::unique_ptr<Desktop> MakeDesktop(const std::string& desktopName, const Registry& registry,
                                     const std::string& copyDir)
{
    using Family = GSettingsDesktop::Family;
    std::unique_ptr<Desktop> chosen;
    if (Has(desktopName, "kde"))
        chosen = std::make_unique<KdeDesktop>(registry, copyDir);
    else if (Has(desktopName, "xfce"))
        chosen = std::make_unique<XfceDesktop>(registry, copyDir);
    else if (Has(desktopName, "cinnamon"))
        chosen = GSettingsDesktop::Create(Family::Cinnamon, registry, copyDir);
    else if (Has(desktopName, "mate"))
        chosen = GSettingsDesktop::Create(Family::Mate, registry, copyDir);
    else if (Has(desktopName, "gnome") || Has(desktopName, "unity") || Has(desktopName, "budgie") ||
             Has(desktopName, "pantheon"))
        chosen = GSettingsDesktop::Create(Family::Gnome, registry, copyDir);
    if (!chosen)
        chosen = std::make_unique<X11RootDesktop>(registry);
    return chosen;
}

std::string WallpaperDataDir()
{
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        base = data;
    else
        base = std::filesystem::path(HomeDir()) / ".local" / "share";
    const std::filesystem::path dir = base / "zelvaro";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir.string();
}

}  // namespace platform
