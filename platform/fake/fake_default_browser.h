// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A default browser whose command line the test sets.

#include "platform/default_browser.h"

namespace platform {

class FakeDefaultBrowser : public DefaultBrowser {
public:
    std::string commandLine;
    std::string CommandLine() const override { return commandLine; }
};

}  // namespace platform
