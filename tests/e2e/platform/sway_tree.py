#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads sway's layout tree (swaymsg -t get_tree) on stdin and prints the
first window of the process given as the argument, one line:
"<type> <x> <y> <border> <sticky> <user idle inhibitor> <X11 id>", or
nothing when the process has no window."""
import json
import sys


def windows(node):
    yield node
    for key in ("nodes", "floating_nodes"):
        for child in node.get(key, []):
            yield from windows(child)


def main():
    pid = int(sys.argv[1])
    for node in windows(json.load(sys.stdin)):
        if node.get("pid") == pid:
            rect = node["rect"]
            inhibitor = node.get("idle_inhibitors", {}).get("user", "none")
            print(node["type"], rect["x"], rect["y"], node.get("border"), str(node.get("sticky")).lower(),
                  inhibitor, node.get("window"))
            return


if __name__ == "__main__":
    main()
