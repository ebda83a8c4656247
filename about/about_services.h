// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services the about box works through: the real backends from main,
// fakes in tests.

#include "platform/default_browser.h"
#include "platform/launcher.h"
#include "platform/system_facts.h"

struct AboutServices {
    const platform::DefaultBrowser& browser;
    platform::Launcher& launcher;
    const platform::SystemFacts& facts;  // the memory line
};
