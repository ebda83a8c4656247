// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the desktop keeps its default web browser.

#include <string>

namespace platform {

class DefaultBrowser {
public:
    virtual ~DefaultBrowser() = default;
    // The default browser's command line (as a desktop entry's Exec line
    // holds it, placeholders included); empty when none is known.
    virtual std::string CommandLine() const = 0;
};

}  // namespace platform
