// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/desktop_chain.h"

#include "platform/linux/shared/desktop_log.h"

namespace platform {

DesktopChain::DesktopChain(std::vector<std::unique_ptr<Desktop>> backends) : backends_(std::move(backends))
{}

template <typename Set>
Desktop::Result DesktopChain::Try(Set set)
{
    for (const auto& backend : backends_) {
        const Result result = set(*backend);
        if (result != Result::NotRunning)
            return result;
    }
    return Result::Unavailable;
}

Desktop::Result DesktopChain::SetWallpaper(const std::string& bmpPath)
{
    return Try([&](Desktop& d) { return d.SetWallpaper(bmpPath); });
}

Desktop::Result DesktopChain::SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture)
{
    return Try([&](Desktop& d) { return d.SetWallpaperFrom(bmpPath, picture); });
}

std::unique_ptr<Desktop::Prepared> DesktopChain::PrepareFrom(const DibPicture& picture)
{
    return backends_.empty() ? nullptr : backends_.front()->PrepareFrom(picture);
}

bool DesktopChain::ShowsComposed() const
{
    return !backends_.empty() && backends_.front()->ShowsComposed();
}

void DesktopChain::SetLayout(Layout layout)
{
    Desktop::SetLayout(layout);
    for (const auto& backend : backends_)
        backend->SetLayout(layout);
}

std::string DesktopChain::Name() const
{
    return backends_.empty() ? std::string("none") : backends_.front()->Name();
}

std::string DesktopChain::Names() const
{
    std::string names;
    for (const auto& backend : backends_)
        names += (names.empty() ? "" : ",") + backend->Name();
    return names;
}

Desktop::Result NoWallpaperDesktop::SetWallpaper(const std::string&)
{
    if (!told_)
        qCWarning(lcDesktop).noquote() << "wallpaper:" << QString::fromStdString(why_);
    told_ = true;
    return Result::Unavailable;
}

}  // namespace platform
