#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Walks the program's windows over AT-SPI as a screen reader does and checks
# what it would hear. Usage: accessible_tree.py clock|calendar|options
# Prints "ok: ..." and exits 0, or prints every finding and exits 1.
import sys
import time

import pyatspi

# Controls a screen reader names aloud: their names are captions without the
# access-key "&" and without the colon a caption label ends in.
CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TABLE, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG,
}


def program():
    """The program's application node, waited for up to 20 s."""
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower().startswith("zelvaro"):
                return app
        time.sleep(0.2)
    sys.exit("FAIL: the program is not on the accessibility bus")


def walk(node, depth=0):
    """Every node below `node` (the node too), depth first."""
    yield node
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def window_named(app, title, role):
    for _ in range(50):
        for window in app:
            if window is not None and window.name == title and window.getRole() == role:
                return window
        time.sleep(0.2)
    found = [(w.name, w.getRoleName()) for w in app if w is not None]
    sys.exit(f"FAIL: no {pyatspi.Role(role)} named {title!r} among {found}")


def spoken_names_clean(window):
    findings = []
    for node in walk(window):
        name = node.name or ""
        if node.getRole() in CONTROLS and ("&" in name or name.rstrip().endswith((":", "\uff1a"))):
            findings.append(f"{node.getRoleName()} is read as {name!r}")
    return findings


def main():
    what = sys.argv[1]
    app = program()
    findings = []
    if what == "clock":
        clock = window_named(app, "Zelvaro", pyatspi.ROLE_FRAME)
        if not clock.description:
            findings.append("the clock frame has no description (its time)")
        findings += spoken_names_clean(clock)
    elif what == "calendar":
        window = window_named(app, "Zelvaro のカレンダー", pyatspi.ROLE_DIALOG)
        tables = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_TABLE]
        if len(tables) != 1:
            findings.append(f"{len(tables)} tables in the calendar, not one")
        else:
            cells = [tables[0].getChildAtIndex(i) for i in range(tables[0].childCount)]
            # The program's clock stands in December 2026: 31 days, each
            # named with its own date.
            if len(cells) != 31:
                findings.append(f"{len(cells)} day cells, not 31")
            for day, cell in enumerate(cells, 1):
                name = cell.name if cell is not None else ""
                if cell is None or cell.getRole() != pyatspi.ROLE_TABLE_CELL or \
                        f" {day} " not in f" {name.replace(',', ' ')} " or "2026" not in name:
                    findings.append(f"day {day} is read as {name!r}")
        findings += spoken_names_clean(window)
    elif what == "options":
        window = window_named(app, "Zelvaroの設定", pyatspi.ROLE_DIALOG)
        tabs = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_PAGE_TAB]
        if len(tabs) < 2:
            findings.append(f"{len(tabs)} page tabs in the options")
        findings += spoken_names_clean(window)
    else:
        sys.exit(f"unknown window {what}")
    for finding in findings:
        print(f"FAIL: {what}: {finding}")
    if findings:
        sys.exit(1)
    print(f"ok: {what}")


main()
