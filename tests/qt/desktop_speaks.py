#!/usr/bin/python3
"""Listens on the accessibility bus while the desktop game is played.

    desktop_speaks.py path/to/quintar-desktop

Run inside a D-Bus session (dbus-run-session) on an X display, with the
game's settings for two people. Starts the game, clicks the middle of its
window, moves the focus cell one to the right and plays it from the
keyboard, and checks that a screen reader hears each step in words from the
board itself: the cross and its cell, the cell the arrow reached, and the
nought. Then turns the Analysis panel on from the keyboard and checks that
the computer's summary of the position is heard from the panel's label.
Exits 0 when it does, 1 with the words heard otherwise; every wait is
bounded.
"""
import re
import subprocess
import sys

import pyatspi
from gi.repository import GLib

TICK_MS = 200
TICKS_PER_STEP = 100  # twenty seconds

game_path = sys.argv[1]
heard = []
outcome = {"failure": "the game did not start"}


def name_changed(event):
    # The board's own words, and the analysis panel's (a label): the status
    # bar's labels say the same things as the board.
    role = event.source.getRoleName()
    parent = event.source.parent
    if role == "canvas" or (role == "label" and (parent is None or parent.getRoleName() != "status bar")):
        heard.append(event.source.name)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True).stdout


def heard_matching(pattern):
    return next((m for m in map(re.compile(pattern).fullmatch, heard) if m), None)


class Play:
    """The steps, each tried every tick until it holds or its ticks run out."""

    def __init__(self):
        self.game = subprocess.Popen([game_path])
        self.steps = [self.window_shown, self.cross_heard, self.cell_heard, self.nought_heard, self.summary_heard]
        self.ticks = 0
        self.window = None
        self.centre = None
        self.cross = None

    def window_shown(self):
        found = xdotool("search", "--onlyvisible", "--name", "^Quintar$").split()
        if not found:
            return False
        self.window = found[0]
        geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", self.window).split())
        self.centre = (str(int(geometry["X"]) + int(geometry["WIDTH"]) // 2),
                       str(int(geometry["Y"]) + int(geometry["HEIGHT"]) // 2))
        self.click_centre()
        return True

    def click_centre(self):
        xdotool("mousemove", "--sync", *self.centre, "click", "1")

    def cross_heard(self):
        self.cross = heard_matching(r"Cross on column (\d+), row (\d+)\.")
        if not self.cross:
            # A window just mapped may miss the first click; another on the
            # same cell plays nothing once the cross is there.
            if self.ticks % 10 == 9:
                self.click_centre()
            return False
        xdotool("key", "Right")
        return True

    def cell_heard(self):
        column, row = int(self.cross.group(1)) + 1, int(self.cross.group(2))
        if not heard_matching(rf"Column {column}, row {row}, empty\."):
            return False
        xdotool("key", "space")
        return True

    def nought_heard(self):
        column, row = int(self.cross.group(1)) + 1, int(self.cross.group(2))
        if not heard_matching(rf"Nought on column {column}, row {row}\."):
            return False
        xdotool("key", "ctrl+shift+a")
        return True

    def summary_heard(self):
        return bool(heard_matching(r"(About even|(Crosses|Noughts) (are|win|lose))\b.*\."))

    def tick(self):
        step = self.steps[0]
        if step():
            self.steps.pop(0)
            self.ticks = 0
            if not self.steps:
                outcome["failure"] = None
                pyatspi.Registry.stop()
                return False
            return True
        self.ticks += 1
        if self.ticks > TICKS_PER_STEP or self.game.poll() is not None:
            outcome["failure"] = f"no progress at {step.__name__}"
            pyatspi.Registry.stop()
            return False
        return True


pyatspi.Registry.registerEventListener(name_changed, "object:property-change:accessible-name")
play = Play()
GLib.timeout_add(TICK_MS, play.tick)
pyatspi.Registry.start()
play.game.terminate()
play.game.wait(timeout=10)
if outcome["failure"]:
    print(f"FAILED: {outcome['failure']}; heard: {heard}", file=sys.stderr)
    sys.exit(1)
print("heard: " + " | ".join(heard))
