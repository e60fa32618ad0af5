#!/usr/bin/python3
"""What the running copy's windows show, read as a screen reader reads them.

Run with Debian's python3 (pyatspi) on the journey's session bus:

  atspi.py [--pid PID] [--in WINDOW] [--wait SECONDS] COMMAND ROLE NAME

ROLE is an accessibility role ("push button", "menu item", "check box",
"dialog", "frame", "text", "label"); NAME the control's text, compared
exactly. Only controls on screen count, except for `states` and `dump`.
WINDOW limits the search to the top-level window (frame or dialog) of that
name; --nth N takes the N-th match (from 1) in the window's order, for
controls that share a name (the ten reset buttons). Commands:

  center   the centre of the control on the screen, "X Y", to click
  extents  "X Y WIDTH HEIGHT" on the screen
  states   its states, one a line (checked, enabled, focused, ...)
  text     the text it holds (a text box's or a label's)
  names    the names of every control of that role, one a line (NAME: "")
  dump     the whole tree, for a failing journey's report

Exits 1, saying what it looked for, when nothing matches within --wait.
"""

import argparse
import sys
import time

import pyatspi


def applications(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if pid and app.get_process_id() != pid:
                continue
        except Exception:
            continue
        yield app


def windows(pid, name):
    for app in applications(pid):
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and (name is None or w.name == name):
                yield w


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def matches(args, on_screen):
    for w in windows(args.pid, args.window):
        for node in walk(w):
            if node.getRoleName() != args.role:
                continue
            if args.name is not None and node.name != args.name:
                continue
            if on_screen and not showing(node):
                continue
            yield node


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return node.name


def dump(args):
    for w in windows(args.pid, args.window):
        for node in walk(w):
            depth = 0
            parent = node.parent
            while parent is not None and parent != w.parent:
                depth += 1
                parent = parent.parent
            states = [pyatspi.stateToString(s) for s in node.getState().getStates()]
            keep = [s for s in states if s in ("checked", "showing", "focused", "enabled")]
            try:
                where = extents(node)
            except Exception:
                where = ()
            print("  " * depth + f"{node.getRoleName()} {node.name!r} {where} {' '.join(keep)}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, default=0)
    parser.add_argument("--in", dest="window")
    parser.add_argument("--wait", type=float, default=10.0)
    parser.add_argument("--nth", type=int, default=1)
    parser.add_argument("command", choices=["center", "extents", "states", "text", "names", "dump"])
    parser.add_argument("role", nargs="?")
    parser.add_argument("name", nargs="?")
    args = parser.parse_args()

    if args.command == "dump":
        dump(args)
        return 0
    if args.command == "names":
        args.name = None

    deadline = time.monotonic() + args.wait
    while True:
        try:
            found = list(matches(args, args.command not in ("states", "names")))
        except Exception:
            # A window that closes while it is read: read again.
            found = []
        if len(found) >= args.nth or time.monotonic() >= deadline:
            break
        time.sleep(0.1)

    if len(found) < args.nth:
        where = f" in {args.window!r}" if args.window else ""
        print(f"no {args.role} {args.name!r}{where} on screen", file=sys.stderr)
        return 1
    node = found[args.nth - 1]
    if args.command == "center":
        x, y, w, h = extents(node)
        print(x + w // 2, y + h // 2)
    elif args.command == "extents":
        print(*extents(node))
    elif args.command == "states":
        for s in node.getState().getStates():
            print(pyatspi.stateToString(s))
    elif args.command == "text":
        print(text_of(node))
    elif args.command == "names":
        for n in found:
            print(n.name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
