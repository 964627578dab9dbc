# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The part of accessible-tree.sh that drives the program and reads it through AT-SPI.

Keys go in by xdotool, as a user types them; there is no window manager, so each window is given
the keyboard focus before its keys. Everything read comes from pyatspi, as a screen reader gets it.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "kelvane-extras"
LAUNCHER, NRS, TEAM, CHART = "Kelvane Extras", "NRS Calculate", "Team Analysis", "Control Chart"
# The roles of what a user reads or works; each needs a name a screen reader can say.
NAMED_ROLES = {"push button", "radio button", "text", "entry", "label", "static", "table"}
CELLS_SHOWN = 8
# Long enough for a step on a busy machine; a step that works takes well under a second alone.
DEADLINE = 30
RESULT_CAPTIONS = {"Pseudo-Decks (n)", "Multiplier (r)", "Adjustment (f)"}

problems = []
announced = []  # (kind, role, name) of each change AT-SPI reported


def on_event(event):
    # accessible-name or accessible-description
    kind = (event.type.split(":")[-1] if event.type.startswith("object:state-changed")
            else event.type.split("-")[-1])
    try:
        if kind not in ("checked", "focused") or event.detail1:
            announced.append((kind, event.source.getRoleName(), event.source.name))
    except GLib.Error:
        pass  # from a control gone by the time the event is read, such as a progress label


def pump(seconds):
    """Lets the events that have come in be delivered, for about `seconds`."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, found, seconds=DEADLINE):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            result = found()
        except GLib.Error:
            result = None  # read while a window opened or closed
        if result:
            return result
        pump(0.1)
    sys.exit(f"FAIL: no {what} after {seconds} s")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APPLICATION:
            return app
    return None


def window(title):
    app = application()
    for top in app or []:
        if top.name == title and top.getState().contains(pyatspi.STATE_SHOWING):
            return top
    return None


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRoleName() == role and a.name == name)


def xdotool(*args, check=True):
    return subprocess.run(["xdotool", *args], check=check, capture_output=True, text=True,
                          timeout=DEADLINE).stdout


def keys(title, *pressed):
    """Focuses the window titled `title` and presses the keys in turn."""
    # AT-SPI may list a window before the display has mapped it.
    ids = wait_for(f'X window "{title}"', lambda: xdotool(
        "search", "--onlyvisible", "--name", f"^{title}$", check=False).split())
    xdotool("windowfocus", "--sync", ids[-1])
    for key in pressed:
        if key.startswith("type:"):
            xdotool("type", "--delay", "30", key[5:])
        else:
            xdotool("key", "--clearmodifiers", key)
        pump(0.15)


def clipboard():
    try:
        return subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                              text=True, timeout=DEADLINE).stdout
    except subprocess.TimeoutExpired:
        return None  # an owner too busy to answer; asked again


def shown_results(top):
    """The shown results, as Ctrl+C should copy them: each is named by its row's caption and
    gives its value as its description."""
    return "\t".join(child.description for child in top
                     if child.getRoleName() == "label" and child.name in RESULT_CAPTIONS
                     and child.description and child.getState().contains(pyatspi.STATE_SHOWING))


def describe(acc):
    role, state = acc.getRoleName(), acc.getState()
    line = f'{role} "{acc.name}"'
    extras = []
    if role == "push button":
        try:
            extras.append(acc.queryAction().getKeyBinding(0))
        except GLib.GError:
            # The tab bar's scroll arrows, hidden while every tab fits, offer no action.
            if state.contains(pyatspi.STATE_SHOWING):
                raise
    if acc.description:
        extras.append(acc.description)
    if role == "text":
        extras.append(repr(acc.queryText().getText(0, -1)[:40]))
    for flag, word in ((pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_FOCUSED, "focused")):
        if state.contains(flag):
            extras.append(word)
    if not state.contains(pyatspi.STATE_SHOWING):
        extras.append("hidden")
    if role == "table":
        table = acc.queryTable()
        extras.append(f"{table.nRows} rows x {table.nColumns} columns")
    extras = [e for e in extras if e]
    return line + (f"  [{', '.join(extras)}]" if extras else "")


def print_tree(title, heading):
    print(f"== {heading}")
    top = wait_for(f'window "{title}"', lambda: window(title))

    def walk(acc, depth):
        print("  " * depth + describe(acc))
        if acc.getRoleName() in NAMED_ROLES and not acc.name.strip():
            problems.append(f"{heading}: {acc.getRoleName()} without a name")
        children = list(acc)
        if acc.getRoleName() == "table" and len(children) > CELLS_SHOWN:
            for child in children[:CELLS_SHOWN]:
                walk(child, depth + 1)
            print("  " * (depth + 1) + f"... {len(children) - CELLS_SHOWN} more cells")
            return
        for child in children:
            walk(child, depth + 1)

    walk(top, 0)
    print()
    shots = os.environ.get("ACCESSIBLE_TREE_SHOTS")
    if shots:
        name = "".join(c if c.isalnum() else "-" for c in heading.lower())
        subprocess.run(["import", "-window", "root", os.path.join(shots, name + ".png")])


def was_announced(kind, role, name=None):
    return any(k == kind and r == role and name in (None, n) for k, r, n in announced)


def team_analysis():
    keys(LAUNCHER, "Tab", "space")
    top = wait_for("Team Analysis window", lambda: window(TEAM))
    # xclip stays behind to hand the table over; it ends with the display. It can return before
    # the copy it leaves behind owns the clipboard.
    table = "100\t60\n-50\t30\n70\t45\n20\t60\n"
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=table, text=True,
                   check=True, stderr=subprocess.DEVNULL)
    wait_for("table on the clipboard", lambda: clipboard() == table)
    keys(TEAM, "alt+p")
    sessions = wait_for("Sessions table", lambda: find(top, "table", "Sessions"))
    wait_for("pasted sessions", lambda: sessions.queryTable().nRows == 4)
    keys(TEAM, "alt+a")
    results = wait_for("Results table", lambda: find(top, "table", "Results"))
    wait_for("analysis", lambda: results.queryTable().nRows > 0)
    print_tree(TEAM, "Team Analysis after a paste and an analysis")
    # A menu is no window of its own to AT-SPI: a screen reader reads each item as it gets the
    # focus. The first session's menu, from the keyboard, on from Paste to the sessions: the
    # first item that can be chosen.
    announced.clear()
    keys(TEAM, "Tab", "Menu", "Down")
    wait_for('"Leave Out of the Limits" read from the session menu',
             lambda: was_announced("focused", "menu item", "Leave Out of the Limits"))
    print('The first session\'s menu reads "Leave Out of the Limits"\n')
    xdotool("key", "Escape")
    keys(TEAM, "alt+c")
    chart = wait_for("Control Chart window", lambda: window(CHART))
    wait_for("Phases table", lambda: find(chart, "table", "Phases"))
    print_tree(CHART, "Control Chart")
    keys(TEAM, "alt+x")
    wait_for("Team Analysis closed", lambda: window(TEAM) is None)


def nrs_calculator():
    keys(LAUNCHER, "space")
    top = wait_for("NRS Calculator window", lambda: window(NRS))
    # Before any calculation too: an empty result is still read by its name.
    print_tree(NRS, "NRS Calculator, opened")
    # Every row shows in the middle situation: shoe, track zone, play zone, then past the
    # buttons the slug. Tab comes back to the shoe and selects it; End leaves it unselected, so
    # that Ctrl+C copies the results rather than the shoe size.
    keys(NRS, "ctrl+3", "type:312", "Tab", "type:52", "Tab", "type:104", "Tab", "Tab", "Tab",
         "type:26", "Tab", "End")
    situations = ["Cut rich slug to top", "Cut poor slug out", "Cut rich slug to middle"]
    for number, situation in enumerate(situations, 1):
        announced.clear()
        keys(NRS, f"ctrl+{number}")
        if number > 1:  # the first is already chosen when the window opens
            wait_for(f'"{situation}" announced as checked',
                     lambda: was_announced("checked", "radio button", situation))
        keys(NRS, "alt+c")
        wait_for(f"new results announced in {situation}",
                 lambda: was_announced("description", "label"))
        print_tree(NRS, f"NRS Calculator, {situation}, calculated")
        expected = shown_results(top)
        keys(NRS, "ctrl+c")
        wait_for(f"Ctrl+C to copy {expected!r}", lambda: clipboard() == expected)
        print(f"Ctrl+C copied: {expected!r}\n")
    keys(NRS, "alt+x")
    wait_for("NRS Calculator closed", lambda: window(NRS) is None)


def main():
    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:checked",
                                           "object:state-changed:focused",
                                           "object:property-change:accessible-name",
                                           "object:property-change:accessible-description")
    with open(sys.argv[1], "w"):
        pass  # accessible-tree.sh starts the program now
    wait_for("launcher", lambda: window(LAUNCHER))
    print_tree(LAUNCHER, "Launcher")
    nrs_calculator()
    team_analysis()
    keys(LAUNCHER, "alt+x")
    for problem in problems:
        print(f"FAIL: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
