// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's help: a help window over the help file beside the executable.

namespace platform {

class Help {
public:
    virtual ~Help() = default;
    // Opens the help window at the contents.
    virtual void ShowContents() = 0;
    // Opens the help window at the topic of a help context number.
    virtual void ShowContext(int context) = 0;
    // Closes the help window, if it is open.
    virtual void Quit() = 0;
};

}  // namespace platform
