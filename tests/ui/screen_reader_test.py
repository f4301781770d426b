#!/usr/bin/env python3
# One hand played by keys only, as a blind player plays it: the real program on an X server of its
# own (Xvfb, with a window manager), seen and driven through the accessibility bus of a private
# D-Bus session, the way a screen reader sees it. Each key is chosen from what the bus shows (the
# dialog that has the focus, the focused card's name) and sent through the bus's own keyboard.
# Checks the focus, the names and the sentences spoken on the way.
#
# Usage (inside dbus-run-session): screen_reader_test.py PROGRAM
import os
import re
import subprocess
import sys
import tempfile
import time

PROGRAM = sys.argv[1]
DEADLINE = time.monotonic() + float(os.environ.get("SR_DEADLINE", "150"))
heard = []  # the status line's sentences, in order
KEYS = {"Return": 0xFF0D, "space": 0x20, "Escape": 0xFF1B, "Right": 0xFF53}


def fail(why):
    print("FAIL:", why)
    print("heard:", *heard, sep="\n  ")
    raise SystemExit(1)


def start_display():
    # The first display number free on this machine; the server is up once its socket is there.
    number = next(n for n in range(70, 200) if not os.path.exists(f"/tmp/.X{n}-lock"))
    xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten",
                             "tcp"], stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(f"/tmp/.X11-unix/X{number}"):
            break
        time.sleep(0.1)
    else:
        fail("Xvfb did not start")
    os.environ["DISPLAY"] = f":{number}"
    # The services the bus starts (the registry and its keyboard among them) see this display.
    subprocess.run(["dbus-update-activation-environment", "DISPLAY"], check=True)
    return xvfb


# The bus's keyboard is the registry's, which reads DISPLAY as the bus starts it: the X server
# comes first, then the first look at the bus.
XVFB = start_display()
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402


def window_of(obj):
    while obj is not None and obj.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG):
        obj = obj.parent
    return obj


focus = {"name": "", "role": "", "window": "", "obj": None}
label_names = [0]   # name events of the bid and score labels
event_names = set()  # every name a label or image took, as its name events told


def on_name(event):
    try:
        role, name = event.source.getRole(), event.source.name
    except Exception:
        return
    if role == pyatspi.ROLE_STATUS_BAR:
        heard.append(name)
    elif role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE):
        event_names.add(name)
    elif role == pyatspi.ROLE_LABEL and (name.startswith("Bid: ") or name.startswith("We ")):
        label_names[0] += 1
    if event.source == focus["obj"]:
        focus["name"] = name


def on_focus(event):
    if not event.detail1:
        return
    try:
        window = window_of(event.source)
        focus.update(name=event.source.name, role=event.source.getRoleName(),
                     window=window.name if window else "", obj=event.source)
    except Exception:
        pass


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def program_windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Corvane":
            return {w.name: w for w in app if w is not None and showing(w)}
    return {}


def buttons_of(window):
    return pyatspi.findAllDescendants(
        window, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(o))


def press(key):
    # A key's effect reaches the bus a moment later: the next look waits for it.
    player.cooldown = 2
    sym = KEYS.get(key, ord(key[0]))
    pyatspi.Registry.generateKeyboardEvent(sym, None, pyatspi.KEY_SYM)


class Player:
    """Reads the bus and answers with one key at a time."""

    def __init__(self):
        self.cooldown = 0
        self.waits = 0          # ticks since the last key with nothing to do
        self.discard_step = 0
        self.message_keys = ["Return", "space", "Escape"]
        self.messages = 0
        self.played = 0
        self.played_from = None  # the focused card's name when Enter played it
        self.bid_seen = False
        self.done = False
        self.over_at = None  # the messages answered when the hand's end was heard
        self.labels = []  # the table's labels and cards shown at the last look
        self.names = set()  # and at every look

    def expect_focus_in(self, window):
        # A dialog that asks has the focus: a moment to take it, then a fault.
        if focus["window"] == window:
            self.waits = 0
            return True
        self.waits += 1
        if self.waits > 20:
            fail(f"the focus is in {focus['window']!r} ({focus['name']!r}), not in {window!r}")
        return False

    def tick(self):
        if time.monotonic() > DEADLINE:
            fail("the hand did not end in time")
        if self.cooldown > 0:
            self.cooldown -= 1
            return
        windows = program_windows()
        if "Corvane" not in windows:
            return
        if self.over_at is None and any("The hand is over." in s for s in heard):
            self.over_at = self.messages
        if self.over_at is not None and self.messages > self.over_at:
            self.done = True  # the hand's count, or its going down, answered
            return
        self.labels = [o.name for o in pyatspi.findAllDescendants(
            windows["Corvane"], lambda o: o.getRole() in (
                pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE, pyatspi.ROLE_PUSH_BUTTON) and showing(o))]
        self.names.update(self.labels)
        if "Choose Bid" in windows:
            self.bid(windows["Choose Bid"])
        elif "Choose Trump" in windows:
            if windows["Choose Trump"].getRole() != pyatspi.ROLE_DIALOG:
                fail("the trump window is no dialog")
            if self.expect_focus_in("Choose Trump"):
                press("h")
        elif "Corvane Menu" in windows:
            self.menu(windows["Corvane Menu"])
        else:
            self.play(windows.get("Corvane"))

    def bid(self, dialog):
        if dialog.getRole() != pyatspi.ROLE_DIALOG:
            fail("the bid window is no dialog")
        if not self.expect_focus_in("Choose Bid"):
            return
        self.bid_seen = True
        for button, key in zip(buttons_of(dialog), "p253"):
            if button.getState().contains(pyatspi.STATE_ENABLED):
                press(key)
                return

    def menu(self, window):
        names = {b.name: b for b in buttons_of(window)}
        if "Auto-Discard" in names and names["Auto-Discard"].getState().contains(
                pyatspi.STATE_ENABLED):
            self.discard()
        elif "Deal" in names:
            if self.expect_focus_in("Corvane Menu"):
                press("d")
        elif names:
            # A message: read on the bus, then answered by each of its keys in turn.
            message = next(iter(names))
            if not any(message in sentence for sentence in heard):
                fail(f"the message {message!r} was not spoken")
            press(self.message_keys[self.messages % 3])
            self.messages += 1

    def discard(self):
        # A card picked and marked and unmarked by keys, then Auto-Discard and the draw.
        step = self.discard_step
        if step == 0:
            press("Right")
        elif step == 1:
            if focus["role"] != "push button" or "in your hand" not in focus["name"]:
                return self.wait_for("the focus on a card after Right")
            if "press" not in card_actions(focus["obj"]):
                fail("a card has no action")
            press("Return")
        elif step == 2:
            if not focus["name"].endswith(", marked to throw away"):
                return self.wait_for("the card marked")
            press("Return")
        elif step == 3:
            if "marked" in focus["name"]:
                return self.wait_for("the card unmarked")
            press("a")
        elif step == 4:
            press("d")
        else:
            return
        self.waits = 0
        self.discard_step += 1

    def wait_for(self, what):
        self.waits += 1
        if self.waits > 20:
            fail(f"no sign of {what}: the focus reads {focus['name']!r}")

    def play(self, table):
        if table is None:
            return
        if focus["name"] == self.played_from:
            return  # the card played has not left yet
        self.played_from = None
        if focus["role"] == "push button" and focus["name"].endswith(", playable"):
            press("Return")
            self.played += 1
            self.played_from = focus["name"]
        elif "playable" in " ".join(c.name for c in hand_cards(table)):
            press("Right")


def hand_cards(table):
    return pyatspi.findAllDescendants(
        table, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON and "in your hand" in o.name)


def card_actions(card):
    action = card.queryAction()
    return [action.getName(i).lower() for i in range(action.nActions)]


def run():
    wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    config = tempfile.TemporaryDirectory()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               XDG_CONFIG_HOME=config.name)
    for listener, kind in ((on_name, "object:property-change:accessible-name"),
                           (on_focus, "object:state-changed:focused")):
        pyatspi.Registry.registerEventListener(listener, kind)
    # A quarter of the table's pace: quick, yet slow enough for the listener to read each change.
    game = subprocess.Popen([PROGRAM, "--pace", "0.25"], env=env)
    global player
    player = Player()
    failed = []

    def tick():
        try:
            player.tick()
            if player.done:
                pyatspi.Registry.stop()
                return False
        except SystemExit:
            failed.append(True)
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(250, tick)
    try:
        pyatspi.Registry.start()
        if failed:
            raise SystemExit(1)
        check_end(player)
    finally:
        game.terminate()
        game.wait()
        wm.terminate()
        XVFB.terminate()


def check_end(player):
    # The bus may deliver one change late, read as the name that followed it: a sentence heard
    # twice in a row is one (the status line never says the same sentence twice running).
    # Changes that come close together reach the listener as the last of them: on a loaded machine
    # the three computer bids of an auction can be heard as one, so one bid heard is enough.
    said = [s for i, s in enumerate(heard) if i == 0 or heard[i - 1] != s]

    def count(part):
        return sum(part in s for s in said)

    trump = [s for s in said if re.search(r"\bTrump: (spades|diamonds|clubs|hearts)\.", s)]
    taken = count(" take the trick.") + count(" takes the trick.")
    checks = [
        (player.bid_seen, "the bid dialog never had the focus"),
        (count(" bids ") + count(" passes.") + count("You pass.") >= 1, "bids not spoken"),
        (trump, "the trump not spoken"),
        (count("Your turn.") >= 1, "the turn not spoken"),
        (player.played >= 3, f"only {player.played} cards played by Enter"),
        # Changes that come faster than the bus's listener reads them are heard as the latest
        # name (so would a screen reader's be): at least one of each kind, and nothing of the
        # draw, which the first card played can follow at once.
        (count("You play the ") >= 1, "no card of yours spoken"),
        (count(" plays the ") >= 3, "the others' cards not spoken"),
        (taken >= 1, "no trick taken spoken"),
        (count("The hand is over. We ") >= 1, "the score not spoken"),
        (player.messages >= 1, "no message answered by a key"),
        # Names set again unchanged once flooded the bus: a hand needs a few dozen at most.
        (label_names[0] <= 40, f"{label_names[0]} name events from bid and score labels"),
    ]
    for ok, why in checks:
        if not ok:
            fail(why)
    labels = player.labels
    tricks = [n for n in labels if re.fullmatch(r"No tricks|1 trick|[2-5] tricks", n)]
    won = sum(0 if n.startswith("No") else int(n[0]) for n in tricks)
    if len(tricks) != 2 or won < 1:
        fail(f"the trick counters read {tricks}")
    for pattern in (r"Trump: (spades|diamonds|clubs|hearts)", r"Bid: (Pass|\d\d) by \w+",
                    r"We -?\d+, They -?\d+", r"A card face down, in \w+'s hand",
                    r"\w+ of (spades|diamonds|clubs|hearts), played by \w+"):
        # The tree is looked at a few times a second; a quick auction's bid labels can come and
        # go between two looks, so the names the events told count too.
        if not any(re.fullmatch(pattern, n) for n in player.names | event_names):
            fail(f"nothing on the table is named {pattern!r}")
    print(f"heard {len(said)} sentences; {label_names[0]} name events from bid and score labels")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    run()
