"""Reads and drives running desktop programs on an X server: windows and keys through xdotool,
screenshots through ImageMagick, controls through the AT-SPI accessibility tree.

Run on a server started by tools/with-x.sh; for the accessibility tree with --atspi, which gives
a private session bus on which the accessibility bus starts on demand and makes Qt programs join
the tree. Needs python3-gi and gir1.2-atspi-2.0 (use /usr/bin/python3), xdotool, x11-utils and
imagemagick.

Every AT-SPI query goes to the program afresh: the library's cache is switched off for each
application found, because without a running event loop it never hears that a window closed or a
text changed. Every wait is bounded and ends in WaitTimeout with a description of what was
awaited.

Used as a module:
    app = wait_for_application("SweltraC")
    about = wait_for_window(app, "About")
    text = text_of(find(about, role="text"))
    keys(wait_x_window("SweltraC", "^About"), "Escape")

and from a shell (one query, result on standard output, exit status 1 on a timeout):
    xdriver.py text --app SweltraC --window "About" --role text
    xdriver.py dump --app SweltraC
"""

import argparse
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

DEFAULT_TIMEOUT = 15.0
POLL_INTERVAL = 0.1
# A walk never visits more nodes than this, so a runaway or cyclic tree cannot hang a test.
MAX_NODES = 5000

Atspi.init()


class WaitTimeout(AssertionError):
    """A wait ran out of time; the message says what it waited for."""


def wait_until(condition, timeout=DEFAULT_TIMEOUT, interval=POLL_INTERVAL, what="a condition"):
    """Calls condition() until it returns something true, and returns that; WaitTimeout after
    timeout seconds. Errors of a vanishing accessible count as "not yet"."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except GLib.Error:
            value = None
        if value:
            return value
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"gave up after {timeout:g} s waiting for {what}")
        time.sleep(interval)


wait_for = wait_until


def _quiet(call, default=None):
    """The result of call(), or default when the accessible has gone away meanwhile."""
    try:
        return call()
    except GLib.Error:
        return default


def name_of(accessible):
    return _quiet(accessible.get_name, "") or ""


def role_of(accessible):
    """The role's name as AT-SPI spells it: "frame", "push button", "text", "label", ..."""
    return _quiet(accessible.get_role_name, "") or ""


def states_of(accessible):
    """The set of state names, lower case: {"showing", "visible", "focused", ...}."""
    state_set = _quiet(accessible.get_state_set)
    if state_set is None:
        return set()
    return {Atspi.StateType(s).value_nick for s in state_set.get_states()}


def children_of(accessible):
    count = _quiet(accessible.get_child_count, 0) or 0
    kids = (_quiet(lambda i=i: accessible.get_child_at_index(i)) for i in range(count))
    return [kid for kid in kids if kid is not None]


def describe(accessible):
    """A short label for messages: role and name."""
    return f"{role_of(accessible)} {name_of(accessible)!r}"


def applications():
    """The applications currently registered on the accessibility bus, with caching off."""
    desktop = Atspi.get_desktop(0)
    apps = children_of(desktop)
    for app in apps:
        _quiet(lambda app=app: app.set_cache_mask(Atspi.Cache.NONE))
        _quiet(app.clear_cache)
    return apps


def find_application(name):
    """The application registered under exactly this name, or None."""
    return next((app for app in applications() if name_of(app) == name), None)


def wait_for_application(name, timeout=DEFAULT_TIMEOUT):
    return wait_until(lambda: find_application(name), timeout, what=f"application {name!r} on the bus")


def walk(root, max_depth=64):
    """Depth-first, root first; bounded by max_depth and MAX_NODES."""
    stack = [(root, 0)]
    visited = 0
    while stack and visited < MAX_NODES:
        node, depth = stack.pop()
        visited += 1
        yield node
        if depth < max_depth:
            stack.extend((kid, depth + 1) for kid in reversed(children_of(node)))


def _matches(accessible, name, role, states, predicate):
    if name is not None and name_of(accessible) != name:
        return False
    if role is not None and role_of(accessible) != role:
        return False
    if states and not set(states) <= states_of(accessible):
        return False
    return predicate is None or bool(_quiet(lambda: predicate(accessible), False))


def find_all(root, name=None, role=None, states=(), predicate=None):
    """Every accessible under root (root included) whose name and role equal the given ones, that
    has all the given states and satisfies predicate; None means "any"."""
    return [node for node in walk(root) if _matches(node, name, role, states, predicate)]


def find(root, name=None, role=None, states=(), predicate=None):
    """The first match in depth-first order, or None."""
    return next((node for node in walk(root) if _matches(node, name, role, states, predicate)), None)


def windows_of(app, showing_only=True):
    """The application's top-level windows: its direct children. Their role depends on the
    toolkit's class (Qt gives a plain QWidget window the role "filler", a QDialog "dialog")."""
    tops = children_of(app)
    return [w for w in tops if not showing_only or "showing" in states_of(w)]


def wait_for_window(app, name, timeout=DEFAULT_TIMEOUT):
    """The showing top-level window with exactly this title ("" for an untitled one)."""
    return wait_until(lambda: next((w for w in windows_of(app) if name_of(w) == name), None), timeout,
                      what=f"a window titled {name!r}")


def text_of(accessible):
    """The whole plain text of an accessible that offers the Text interface."""
    count = Atspi.Text.get_character_count(accessible)
    return Atspi.Text.get_text(accessible, 0, count) or ""


def action_names(accessible):
    count = _quiet(lambda: Atspi.Action.get_n_actions(accessible), 0) or 0
    return [Atspi.Action.get_action_name(accessible, i) for i in range(count)]


def do_action(accessible, *names):
    """Performs the first of the accessible's actions whose name is among names (any case)."""
    wanted = [n.lower() for n in names]
    for index, action in enumerate(action_names(accessible)):
        if action.lower() in wanted:
            return Atspi.Action.do_action(accessible, index)
    raise AssertionError(f"{describe(accessible)} offers none of {names}; it has {action_names(accessible)}")


def press(accessible):
    """Presses a button through its accessible action, as a screen reader would."""
    return do_action(accessible, "Press", "click", "activate")


def dump(root, max_depth=64):
    """The tree under root as indented lines of role, name and states, for reading by a person."""
    lines = []

    def visit(node, depth):
        if len(lines) >= MAX_NODES:
            return
        states = ",".join(sorted(states_of(node) & {"showing", "focused", "enabled", "editable"}))
        lines.append(f"{'  ' * depth}{describe(node)} [{states}]")
        if depth < max_depth:
            for kid in children_of(node):
                visit(kid, depth + 1)

    visit(root, 0)
    return "\n".join(lines)


# X windows, keys and pictures.


def xdotool_text(*args, timeout=10):
    """xdotool's output, or "" when it failed (a window that has gone meanwhile, say)."""
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    return done.stdout.rstrip("\n") if done.returncode == 0 else ""


def xdotool(*args, timeout=10):
    """xdotool's output as words: window ids, for instance."""
    return xdotool_text(*args, timeout=timeout).split()


def x_windows(window_class, title_pattern=None):
    """The X ids of the visible top-level windows of the class (on Qt, the program's name), only
    those whose title matches the regular expression when one is given."""
    ids = xdotool("search", "--onlyvisible", "--class", f"^{re.escape(window_class)}$")
    if title_pattern is None:
        return ids
    return [i for i in ids if re.search(title_pattern, xdotool_text("getwindowname", i))]


def wait_x_window(window_class, title_pattern, timeout=DEFAULT_TIMEOUT):
    """The X id of the first visible window of the class whose title matches, waiting for it."""
    return wait_until(lambda: next(iter(x_windows(window_class, title_pattern)), None), timeout,
                      what=f"an X window of {window_class} titled like {title_pattern!r}")


def keys(window_id, *names):
    """Gives the window the keyboard focus (without a window manager nothing else does) and types
    the keys, in xdotool's names: "Return", "Tab", "shift+Insert", "q"."""
    xdotool("windowfocus", "--sync", window_id)
    for name in names:
        xdotool("key", "--clearmodifiers", name)


def screenshot(path, window="root"):
    """Saves the screen, or one X window by id, as a picture."""
    subprocess.run(["import", "-window", window, path], capture_output=True, timeout=30)


def geometry(window_id):
    """x, y, width and height of the window's own area on the screen, without any frame."""
    done = subprocess.run(["xwininfo", "-id", str(window_id)], capture_output=True, text=True, timeout=10)
    fields = dict(re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height):\s*(-?\d+)", done.stdout, re.M))
    if len(fields) != 4:
        raise AssertionError(f"no geometry for X window {window_id}: {done.stderr.strip()}")
    return tuple(int(fields[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def frame_extents(window_id):
    """left, right, top and bottom of the frame a window manager drew around the window; zeros
    where none did."""
    done = subprocess.run(["xprop", "-id", str(window_id), "_NET_FRAME_EXTENTS"], capture_output=True,
                          text=True, timeout=10)
    found = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", done.stdout)
    return tuple(int(v) for v in found.groups()) if found else (0, 0, 0, 0)


def frame_geometry(window_id):
    """x, y, width and height of the window with its frame, as a person sees it on the screen."""
    x, y, width, height = geometry(window_id)
    left, right, top, bottom = frame_extents(window_id)
    return x - left, y - top, width + left + right, height + top + bottom


class Checks:
    """Named checks in a row: each prints "PASS name" or "FAIL name: reason" and the rest still
    run after a failure, which leaves a screenshot. Screenshots are numbered in the folder out."""

    def __init__(self, out):
        self.out = out
        self.failed = 0
        self.shots = 0

    def screenshot(self, label):
        self.shots += 1
        screenshot(os.path.join(self.out, f"{self.shots:02d}-{label}.png"))

    def run(self, name, step):
        try:
            step()
            print(f"PASS {name}", flush=True)
            return True
        except (AssertionError, subprocess.SubprocessError, OSError) as problem:
            self.failed += 1
            print(f"FAIL {name}: {problem}", flush=True)
            self.screenshot("failed")
            return False


def _main(argv):
    parser = argparse.ArgumentParser(description="Query a running program's accessibility tree.")
    parser.add_argument("command", choices=["dump", "text", "wait"],
                        help="dump the tree; print an accessible's text; wait until it exists")
    parser.add_argument("--app", required=True, help="the application's name on the bus")
    parser.add_argument("--window", help="title of the top-level window to look in")
    parser.add_argument("--name", help="the accessible's exact name")
    parser.add_argument("--role", help='the accessible\'s role, e.g. "push button", "text"')
    parser.add_argument("--timeout", type=float, default=DEFAULT_TIMEOUT)
    args = parser.parse_args(argv)

    try:
        app = wait_for_application(args.app, args.timeout)
        root = wait_for_window(app, args.window, args.timeout) if args.window is not None else app
        if args.command == "dump":
            print(dump(root))
            return 0
        target = wait_until(lambda: find(root, name=args.name, role=args.role), args.timeout,
                            what=f"{args.role or 'an accessible'} named {args.name!r}")
        if args.command == "text":
            print(text_of(target))
        return 0
    except WaitTimeout as timeout:
        print(timeout, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(_main(sys.argv[1:]))
