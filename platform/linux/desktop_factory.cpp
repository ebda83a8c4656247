#include "platform/linux/desktop_factory.h"

#include "platform/linux/gsettings_desktop.h"
#include "platform/linux/kde_desktop.h"
#include "platform/linux/x11_root_desktop.h"
#include "platform/linux/xfce_desktop.h"

#include <cstdlib>

namespace platform {
namespace {

bool Has(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
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

}  // namespace platform
