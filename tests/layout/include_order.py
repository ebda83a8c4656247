#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps the folders depending one way only.

    base  <-  image  <-  platform  <-  the subsystems  <-  shell

A source may include its own folder and any folder below it. A subsystem
includes no other subsystem: ALLOWED, the pairs that might, is empty. The Linux
backends (platform/linux/) are built in one place, the composition root
(shell/main.cpp and shell/real_services.*); everything else sees the
interfaces in platform/*.h. Tests and benchmarks may include anything. Prints
every include against the order and exits 1 when there is one.

    include_order.py [ROOT]
"""
import pathlib
import re
import sys

LEVEL = {"base": 0, "image": 1, "platform": 2,
         "wallpaper": 3, "alarm": 3, "calendar": 3, "options": 3, "sysinfo": 3, "about": 3,
         "shell": 4}

# (includer, included): subsystem pairs let through; none are.
ALLOWED = set()

# The sources that build the Linux backends; the backends themselves may use
# each other.
BACKENDS = "platform/linux/"
COMPOSITION_ROOT = {"shell/main.cpp", "shell/real_services.h", "shell/real_services.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def violations(root):
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(root)
        folder = rel.parts[0]
        if folder not in LEVEL:
            continue  # tests, bench, build trees
        name = rel.as_posix()
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if (target.startswith(BACKENDS) and not name.startswith(BACKENDS)
                    and name not in COMPOSITION_ROOT):
                yield f"{rel}: includes \"{target}\" (only the composition root builds Linux backends)"
                continue
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
