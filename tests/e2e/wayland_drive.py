#!/usr/bin/python3
"""Drives the running program through the accessibility bus, as a screen
reader or a switch device would: on native Wayland nothing else can reach
another program's windows (no synthetic input, no window list).

  wayland_drive.py PID wait-active FRAME
  wayland_drive.py PID wait-gone FRAME
  wayland_drive.py PID press FRAME NAME          a push button, by its caption
  wayland_drive.py PID set-text FRAME NAME TEXT  a text box, by its label
  wayland_drive.py PID menu FRAME ITEM...        a menu bar path, last item pressed
  wayland_drive.py PID expect-button FRAME NAME

FRAME is a window's title. Every step waits for what it needs (15 s at
most); a failure says what it expected and what it found, and exits 1.
"""

import sys
import time

import pyatspi

# The X journeys' reader, beside this script.
from atspi import applications, walk

TIMEOUT = 15.0
ROLE_NAMES = {pyatspi.ROLE_PUSH_BUTTON: "button", pyatspi.ROLE_TEXT: "text box"}


class Failure(Exception):
    pass


def program(pid):
    return next(applications(pid), None)


def frames(pid):
    app = program(pid)
    if app is None:
        return []
    app.clearCache()
    return [app.getChildAtIndex(i) for i in range(app.childCount)]


def states(acc):
    return acc.getState()


def showing_frame(pid, title):
    for f in frames(pid):
        if f is not None and f.name == title and states(f).contains(pyatspi.STATE_SHOWING):
            return f
    return None


def titles(pid):
    return [f.name for f in frames(pid) if f is not None]


def wait(what, probe, found):
    end = time.monotonic() + TIMEOUT
    while True:
        try:
            result = probe()
        except Exception:  # a window that went away while being read
            result = None
        if result:
            return result
        if time.monotonic() > end:
            raise Failure(f"expected {what}; found {found()}")
        time.sleep(0.05)


def descendants(acc):
    nodes = walk(acc)
    next(nodes)  # the node itself
    yield from nodes


def find(pid, title, role, name):
    frame = showing_frame(pid, title)
    if frame is None:
        return None
    for acc in descendants(frame):
        if acc.getRole() == role and acc.name == name:
            return acc
    return None


def names_in(pid, title, role):
    frame = showing_frame(pid, title)
    if frame is None:
        return f"no window '{title}' (windows: {titles(pid)})"
    return [a.name for a in descendants(frame) if a.getRole() == role]


def act(acc, action):
    actions = acc.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            actions.doAction(i)
            return
    raise Failure(f"'{acc.name}' has no action {action}")


def wait_control(pid, title, role, name):
    return wait(f"a {ROLE_NAMES[role]} '{name}' in window '{title}'",
                lambda: find(pid, title, role, name),
                lambda: names_in(pid, title, role))


def main(argv):
    pid, command, title, *rest = argv
    pid = int(pid)
    if command == "wait-active":
        # Active means the compositor mapped the window and gave it the
        # keyboard: a window Qt merely thinks is shown is not enough.
        wait(f"an active window '{title}'",
             lambda: (f := showing_frame(pid, title)) and states(f).contains(pyatspi.STATE_ACTIVE),
             lambda: titles(pid))
    elif command == "wait-gone":
        wait(f"no window '{title}'", lambda: showing_frame(pid, title) is None,
             lambda: titles(pid))
    elif command == "press":
        act(wait_control(pid, title, pyatspi.ROLE_PUSH_BUTTON, rest[0]), "Press")
    elif command == "expect-button":
        wait_control(pid, title, pyatspi.ROLE_PUSH_BUTTON, rest[0])
    elif command == "set-text":
        name, text = rest
        box = wait_control(pid, title, pyatspi.ROLE_TEXT, name)
        box.queryEditableText().setTextContents(text)
        got = box.queryText().getText(0, -1)
        if got != text:
            raise Failure(f"text box '{name}' holds '{got}', not '{text}'")
    elif command == "menu":
        node = wait(f"the menu bar of window '{title}'",
                    lambda: next((a for a in descendants(showing_frame(pid, title))
                                  if a.getRole() == pyatspi.ROLE_MENU_BAR), None),
                    lambda: titles(pid))
        for item in rest:
            parent = node
            node = next((a for a in descendants(parent)
                         if a.getRole() == pyatspi.ROLE_MENU_ITEM and a.name == item), None)
            if node is None:
                raise Failure(f"menu item '{item}'; found "
                              f"{[a.name for a in descendants(parent) if a.getRole() == pyatspi.ROLE_MENU_ITEM]}")
        act(node, "Press")
    else:
        raise Failure(f"a known command, not '{command}'")


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except Failure as failure:
        print(f"wayland_drive {' '.join(sys.argv[2:])}: {failure}", file=sys.stderr)
        sys.exit(1)
