// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A screen saver whose state the test sets and whose calls it reads back.

#include "platform/screen_saver.h"

namespace platform {

class FakeScreenSaver : public ScreenSaver {
public:
    bool active = true;
    int starts = 0;
    int sets = 0;

    bool IsActive() override { return active; }
    void SetActive(bool value) override
    {
        active = value;
        ++sets;
    }
    void StartNow() override { ++starts; }
};

}  // namespace platform
