#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The include test itself: a small tree with one include of each kind, and
the ones it must report."""
import pathlib
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import include_order  # noqa: E402

SOURCES = {
    "shell/main.cpp": '#include "platform/linux/system_clock.h"\n',
    "shell/real_services.h": '#include "platform/linux/sdl_sound.h"\n',
    "shell/clock_window.cpp": '#include "platform/linux/system_clock.h"\n#include "wallpaper/x.h"\n',
    "platform/linux/a.cpp": '#include "platform/linux/b.h"\n',
    "platform/fake/fake_a.h": '#include "platform/linux/a.h"\n',
    "wallpaper/w.cpp": '#include "platform/desktop.h"\n#include "platform/linux/desktop_factory.h"\n',
    "options/o.cpp": '#include "wallpaper/w.h"\n',
    "base/b.cpp": '#include "image/i.h"\n',
}

REPORTED = {"shell/clock_window.cpp", "platform/fake/fake_a.h", "wallpaper/w.cpp", "options/o.cpp", "base/b.cpp"}


def main():
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        for name, text in SOURCES.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        found = {line.split(":")[0] for line in include_order.violations(root)}
    if found != REPORTED:
        print(f"reported {sorted(found)}, expected {sorted(REPORTED)}")
        return 1
    print("include test: reports what it should")
    return 0


if __name__ == "__main__":
    sys.exit(main())
