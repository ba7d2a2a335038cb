#!/usr/bin/python3
# Plays the game on Wayland through its accessibility interface (AT-SPI), as
# the headless compositor gives the test no input devices: About and its OK,
# HI-SCORE and its OK, Start, a shot from each shooter, then the game-over
# dialog with a name set in its name box. Prints one line per step; exits 1
# at the first step that fails.
import sys
import time

import pyatspi

NAME = sys.argv[1] if len(sys.argv) > 1 else "qr"


def fail(message):
    print("FAIL:", message, flush=True)
    sys.exit(1)


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "bimzo":
            return a
    return None


def window(title, seconds, exclude=()):
    end = time.time() + seconds
    while time.time() < end:
        a = app()
        for w in a or []:
            if (w is not None and w.name == title and w not in exclude
                    and w.getState().contains(pyatspi.STATE_SHOWING)):
                return w
        time.sleep(0.2)
    return None


def find(root, role, name):
    found = pyatspi.findDescendant(
        root, lambda x: x is not None and x.getRoleName() == role and x.name == name)
    if found is None:
        fail(f"no {role} named {name!r} in {root.name!r}")
    return found


def press(control):
    try:
        control.queryAction().doAction(0)
    except Exception:
        pass  # a modal box answers only once it is closed


def gone(w, seconds):
    end = time.time() + seconds
    while time.time() < end:
        try:
            if not w.getState().contains(pyatspi.STATE_SHOWING):
                return True
        except Exception:
            return True
        time.sleep(0.2)
    return False


def step(message):
    print(message, flush=True)


pyatspi.setTimeout(2000, 2000)
main = window("Bimzo！", 20)
if main is None:
    fail("the main window never showed on the accessibility bus")
step("main window")

def open_and_close(item, title, what):
    """Opens a window from the main window's menu and closes it with its OK."""
    press(find(main, "menu item", item))
    opened = window(title, 10, exclude=(main,))
    if opened is None:
        fail(f"{what} did not open")
    step(f"{what} open")
    press(find(opened, "push button", "OK"))
    if not gone(opened, 10):
        fail(f"{what} did not close with OK")
    step(f"{what} closed")


open_and_close("About", "Bimzo！", "the About box")
open_and_close("HI-SCORE", "HI-SCORE", "HI-SCORE")

press(find(main, "menu item", "Start"))
time.sleep(0.6)
for lane in range(1, 6):
    press(find(main, "push button", f"発射台 {lane}"))
remaining = pyatspi.findDescendant(main, lambda x: x is not None and x.name.startswith("残枚数 "))
if remaining is None or remaining.name == "残枚数 500":
    fail(f"the shooters took no shot ({remaining.name if remaining else 'no count'})")
step(f"shots taken: {remaining.name}")

gameover = window("ＧＡＭＥ　ＯＶＥＲ", 120)
if gameover is None:
    fail("the game never ended")
step("game over")
box = find(gameover, "text", "名前")
box.queryEditableText().setTextContents(NAME)
shown = box.queryText().getText(0, -1)
if shown != NAME:
    fail(f"the name box shows {shown!r}, not {NAME!r}")
step(f"name box: {shown}")
