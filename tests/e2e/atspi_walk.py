#!/usr/bin/python3
"""Walks the AT-SPI tree of the running program (found by its application
name) as a screen reader sees it and prints every control a user acts on:
role, name and place. Exits 1 when a button, edit, check box, list item or
window has no name, or when a name given on the command line is missing.
With --focused it prints the names of the nodes in the focused state instead
(the focused control and the item it has current); with --press it does the
first action of the node of that name, as a reader's user would.
Usage: atspi_walk.py [--focused|--press NAME] APP_NAME [REQUIRED_NAME...]"""
import sys

import pyatspi

NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_LIST,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME,
    pyatspi.ROLE_WINDOW,
}


found_nodes = []


def walk(node, path, found, depth=0):
    if depth > 40:
        return
    try:
        role, name = node.getRole(), node.name
    except Exception:  # a node that went away while walking
        return
    found.append((role, name, path))
    found_nodes.append(node)
    for index in range(min(node.childCount, 500)):
        child = node.getChildAtIndex(index)
        if child is not None:
            walk(child, path + "/" + (child.getRoleName() or "?"), found, depth + 1)


def main():
    args = sys.argv[1:]
    focused = args[0] == "--focused"
    press = args[1] if args[0] == "--press" else None
    if press is not None:
        args = args[2:]
    app_name, required = args[focused], args[focused + 1:]
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [a for a in desktop if a is not None and a.name == app_name]
    if not apps:
        print("no application named %s on the accessibility bus" % app_name)
        return 1
    found = []
    walk(apps[0], app_name, found)
    if press is not None:
        for node in found_nodes:
            if node.name == press:
                node.queryAction().doAction(0)
                return 0
        return 1
    if focused:
        for node in found_nodes:
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                print(node.name)
        return 0
    bad = 0
    names = set()
    for role, name, path in found:
        if role not in NAMED_ROLES:
            continue
        names.add(name)
        if not name.strip():
            bad += 1
            print("NO NAME: %s" % path)
        else:
            print("%s: %s" % (path, name))
    for name in required:
        if name not in names:
            bad += 1
            print("MISSING: %s" % name)
    print("%d controls walked, %d without a name or missing" %
          (sum(1 for r, _, _ in found if r in NAMED_ROLES), bad))
    return 1 if bad else 0


sys.exit(main())
