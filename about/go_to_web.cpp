// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/go_to_web.h"

TGoToWeb::TGoToWeb(const platform::DefaultBrowser& browser, platform::Launcher& launcher)
    : browser_(browser), launcher_(launcher)
{}

BrowserCommand TGoToWeb::FindBrowser() const
{
    return SplitBrowserCommand(browser_.CommandLine());
}

bool TGoToWeb::OpenUrl()
{
    const BrowserCommand command = FindBrowser();
    if (command.program.empty())
        return false;
    // The extra parameters, then the address as one word of its own.
    std::vector<std::string> arguments = SplitCommandWords(command.parameters);
    arguments.push_back(Url);
    return launcher_.StartDetached(command.program, arguments);
}

bool TGoToWeb::SendMail()
{
    if (FindBrowser().program.empty())
        return false;
    return launcher_.OpenWithDesktop("mailto:" + EMail);
}
