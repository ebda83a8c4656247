#pragma once
// The services the about box works through: the real backends from main,
// fakes in tests.

#include "platform/default_browser.h"
#include "platform/launcher.h"
#include "platform/physical_memory.h"

struct AboutServices {
    const platform::DefaultBrowser& browser;
    platform::Launcher& launcher;
    const platform::PhysicalMemory& memory;
};
