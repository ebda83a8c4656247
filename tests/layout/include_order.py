#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps the folders depending one way only.

    base  <-  image  <-  platform  <-  the subsystems  <-  shell

A source may include its own folder and any folder below it. A subsystem
includes another only where a dialog of the one opens from the other; each
such pair is listed below by name, with the dialog that needs it. Tests and
benchmarks may include anything. Prints every include against the order and
exits 1 when there is one.

    include_order.py [ROOT]
"""
import pathlib
import re
import sys

LEVEL = {"base": 0, "image": 1, "platform": 2,
         "wallpaper": 3, "alarm": 3, "calendar": 3, "options": 3, "sysinfo": 3, "about": 3,
         "shell": 4}

# (includer, included): the subsystem pairs a dialog makes.
ALLOWED = {
    ("options", "wallpaper"),  # the image picker previews and the tile and centre commands apply a wallpaper
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def violations(root):
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(root)
        folder = rel.parts[0]
        if folder not in LEVEL:
            continue  # tests, bench, build trees
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            to = target.split("/")[0]
            if to not in LEVEL or to == folder:
                continue
            if LEVEL[to] < LEVEL[folder] or (folder, to) in ALLOWED:
                continue
            yield f"{rel}: includes \"{target}\" ({folder} may not use {to})"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(violations(root))
    for line in found:
        print(line)
    print(f"include order: {len(found)} include(s) against base <- image <- platform <- subsystems <- shell")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
