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
  alert    the message box on screen: its text, then its buttons, one a
           line (ROLE and NAME not used)
  popup    runs the command after "--" (the click that opens a popup menu)
           and lists the menu that shows: "X Y STATES NAME" an item, X Y its
           centre on the screen, STATES "enabled", "checked" joined by ","
           or "-"

Exits 1, saying what it looked for, when nothing matches within --wait.
"""

import argparse
import os
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


def alert(args):
    deadline = time.monotonic() + args.wait
    while True:
        try:
            for w in windows(args.pid, None):
                if w.getRoleName() == "alert" and showing(w):
                    texts = [n.name for n in walk(w) if n.getRoleName() == "label"]
                    buttons = [n.name for n in walk(w) if n.getRoleName() == "push button"]
                    print("\n".join(texts + buttons))
                    return 0
        except Exception:
            pass
        if time.monotonic() >= deadline:
            print("no message box on screen", file=sys.stderr)
            return 1
        time.sleep(0.1)


def popup_items(menu):
    """The items of a popup menu on screen, top to bottom, by asking what
    lies under each point of it: items whose action also sits in another
    menu report that menu's places, never this one's."""
    x, y, width, height = extents(menu)
    component = menu.queryComponent()
    items = []  # [name, states, first y, last y]
    for py in range(y + 1, y + height - 1, 2):
        node = component.getAccessibleAtPoint(x + width // 2, py, pyatspi.DESKTOP_COORDS)
        if node is None or node.getRoleName() != "menu item":
            continue
        if items and items[-1][0] == node.name and items[-1][3] >= py - 2:
            items[-1][3] = py
            continue
        states = node.getState()
        marks = [name for state, name in ((pyatspi.STATE_ENABLED, "enabled"),
                                          (pyatspi.STATE_CHECKED, "checked"))
                 if states.contains(state)]
        items.append([node.name, ",".join(marks) or "-", py, py])
    return [(x + width // 2, (first + last) // 2, states, name)
            for name, states, first, last in items]


def popup(args, command):
    import subprocess
    from gi.repository import GLib

    shown = []

    def on_event(event):
        try:
            if (event.detail1 == 1 and event.source.getRoleName() == "popup menu"
                    and (not args.pid or event.source.getApplication().get_process_id() == args.pid)):
                shown.append(event.source)
                pyatspi.Registry.stop()
        except Exception:
            pass

    def run():
        subprocess.run(command, check=False)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing")
    GLib.timeout_add(50, run)
    GLib.timeout_add(int(args.wait * 1000), give_up)
    pyatspi.Registry.start()
    if not shown:
        print("no popup menu showed", file=sys.stderr)
        return 1
    # The menu is laid out once it shows; read it when it has settled.
    time.sleep(0.2)
    for item in popup_items(shown[-1]):
        print(*item)
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, default=0)
    parser.add_argument("--in", dest="window")
    parser.add_argument("--wait", type=float, default=10.0)
    parser.add_argument("--nth", type=int, default=1)
    parser.add_argument("command", choices=["center", "extents", "states", "text", "names", "dump",
                                            "alert", "popup"])
    parser.add_argument("role", nargs="?")
    parser.add_argument("name", nargs="?")
    argv = sys.argv[1:]
    command = []
    if "--" in argv:
        command = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    args = parser.parse_args(argv)

    if args.command == "alert":
        return alert(args)
    if args.command == "popup":
        return popup(args, command)

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
    try:
        status = main()
        sys.stdout.flush()
    except BrokenPipeError:
        # The reader had what it wanted and left (grep -q): under pipefail
        # a failure here would fail the check that just passed.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
        status = 0
    sys.exit(status)
