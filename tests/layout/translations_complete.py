#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every Japanese text of the interface has an English translation.

Gathers the texts of every source folder with lupdate into a copy of
resources/translations/zelvaro_en.ts (so a text added to the code but not to
the translation shows up as unfinished), then fails on each message whose
source holds a Japanese character and whose translation is missing,
unfinished or itself holds a Japanese character.
Usage: translations_complete.py <source root> <lupdate>
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ["about", "alarm", "base", "calendar", "image", "options", "platform", "shell", "sysinfo", "wallpaper"]
JAPANESE = re.compile("[\u3000-\u30ff\u31f0-\u31ff\u4e00-\u9fff\uff00-\uffef]")


def main():
    root = pathlib.Path(sys.argv[1])
    lupdate = sys.argv[2]
    ts = root / "resources" / "translations" / "zelvaro_en.ts"
    sources = sorted(str(p) for folder in FOLDERS for pattern in ("*.cpp", "*.h")
                     for p in (root / folder).rglob(pattern))
    with tempfile.TemporaryDirectory() as scratch:
        gathered = pathlib.Path(scratch) / "zelvaro_en.ts"
        shutil.copy(ts, gathered)
        run = subprocess.run([lupdate, "-no-obsolete", "-locations", "none", *sources, "-ts", str(gathered)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        tree = ET.parse(gathered)
    faults = []
    count = 0
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            if not JAPANESE.search(source):
                continue
            count += 1
            translation = message.find("translation")
            text = translation.text if translation is not None else None
            if not text or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                faults.append(f"{name}: '{source}' has no English translation")
            elif JAPANESE.search(text):
                faults.append(f"{name}: '{source}' is translated as '{text}', still Japanese")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} of {count} Japanese texts lack English; add them to {ts}"
              " (cmake --build build --target update_translations gathers them)")
        return 1
    print(f"all {count} Japanese texts have an English translation")
    return 0


if __name__ == "__main__":
    sys.exit(main())
