"""Drives the built program on the X server in DISPLAY as a person does, with keys and through the
accessibility tree: the start-up window, Readme, Back, Accept, picks with the arrow keys,
Calculate with a factor missing (the message read back and dismissed), a full calculation (the
total read back), "*", Back in the viewer and Exit, after which the program has ended. On every
window it walks the tree: each control that takes the focus must have a role and a name.
Run on tools/with-x.sh --atspi, see program-on-x.sh. Prints "PASS name" or
"FAIL name: reason" per check, saves a screenshot of each window in the output folder, and exits
1 if any check failed.

Usage: program_on_x.py PROGRAM OUTPUT_FOLDER
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xdriver as ui  # noqa: E402
from gi.repository import Atspi  # noqa: E402

APP = "SweltraC"
CALCULATOR = "Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"
ABOUT = "About Sweltra \u00b0C"
VIEWER = "Readme Viewer"
README = "Readme: Conditions of Use"
NOTICES = ("was not found in the folder", "could not be read", "not a readable rich-text", "too large to show")
# Each list by its caption, the arrow presses that reach the entry (the lists start empty), and
# the points the entry carries. The venue is left out at first.
PICKS = (
    ("Ordinary Air Temperature*", 3, "14"),  # 30 to 32
    ("2. Overall length of event (min)", 3, "6"),  # 60 to 120
    ("3. Individual intensity during the event", 3, "6"),  # moderate pace throughout
    ("4. Acclimatization of participants", 2, "5"),  # used to warm weather
    ("5. Athletic ability of individuals", 2, "6"),  # good fitness level
    ("6. Age of Participants", 2, "5"),  # 13 to 17
    ("7. Time Between Drinks (min)", 2, "4"),  # 15 to 25
    ("8. Time of event (DST)", 3, "10"),  # 12 noon to 4 pm
    ("9. Surface type", 2, "2"),  # grass
    ("11. Athletes' Other Risky Medical Conditions*", 1, "0"),  # none
)
VENUE = ("10. Venue", 3, "8")  # outdoors
TOTAL = " 66"
# Roles a screen reader cannot announce as anything.
NO_ROLE = {"", "unknown", "invalid", "filler", "redundant object"}


def x_window(title_pattern):
    """The X id of the program's visible window whose title matches, waiting for it."""
    return ui.wait_x_window(APP, title_pattern)


def focus(accessible, window_id):
    """Moves the keyboard focus to the control; its window must have the X input focus first."""
    ui.keys(window_id)
    Atspi.Component.grab_focus(accessible)
    ui.wait_until(lambda: "focused" in ui.states_of(accessible), what=f"the focus on {ui.describe(accessible)}")


def nameless_controls(window):
    """Every showing control that takes the focus but that a screen reader could not announce."""
    found = []
    for node in ui.walk(window):
        states = ui.states_of(node)
        if "focusable" not in states or "showing" not in states:
            continue
        if ui.role_of(node) in NO_ROLE or not ui.name_of(node).strip():
            found.append(f"{ui.role_of(node) or 'no role'} {ui.name_of(node)!r}")
    return found


class Run(ui.Checks):
    def __init__(self, program, out):
        super().__init__(out)
        self.log = open(os.path.join(out, "program.log"), "w")
        self.process = subprocess.Popen([program], stdout=self.log, stderr=subprocess.STDOUT)
        self.app = None

    def window(self, title):
        return ui.wait_for_window(self.app, title)

    def showing(self):
        return sorted(ui.name_of(w) for w in ui.windows_of(self.app))

    def names_check(self, title):
        window = self.window(title)
        nameless = nameless_controls(window)
        assert not nameless, f"controls without a name in {title or 'the start-up window'!r}: {nameless}"

    # The steps, in the order a person takes them.

    def startup(self):
        def on_bus():
            assert self.process.poll() is None, f"the program ended at start ({self.process.returncode})"
            return ui.find_application(APP)
        self.app = ui.wait_until(on_bus, timeout=30, what=f"{APP} on the accessibility bus")
        startup = self.window("")
        assert self.showing() == [""], f"windows at start: {self.showing()}"
        ui.keys(x_window(f"^({APP})?$"))
        readme = ui.find(startup, name=README, role="push button")
        ui.wait_until(lambda: "focused" in ui.states_of(readme), what=f'the focus on "{README}"')
        self.screenshot("startup")

    def readme(self):
        ui.keys(x_window(f"^({APP})?$"), "Return")
        about = self.window(ABOUT)
        box = ui.wait_until(lambda: ui.find(about, role="text"), what="the conditions of use box")
        text = ui.wait_until(lambda: ui.text_of(box).strip(), what="the conditions of use")
        assert not any(n in text for n in NOTICES), f"a notice instead of the document: {text[:200]!r}"
        assert "conditions of use" in text[:300].lower(), f"not the conditions of use: {text[:200]!r}"
        assert self.showing() == [ABOUT], f"windows: {self.showing()}"
        back = ui.find(about, name="Back", role="push button")
        ui.wait_until(lambda: "focused" in ui.states_of(back), what='the focus on "Back"')
        self.screenshot("about")

    def back_to_startup(self):
        ui.keys(x_window("^About Sweltra"), "Escape")
        ui.wait_until(lambda: self.showing() == [""], what="a fresh start-up window alone")

    def accept(self):
        # Tab goes from Readme to Decline and on to Accept.
        ui.keys(x_window(f"^({APP})?$"), "Tab", "Tab", "Return")
        ui.wait_until(lambda: self.showing() == [CALCULATOR], what="the calculator alone")
        self.screenshot("calculator")

    def pick(self, calculator, caption, presses, points):
        box = ui.wait_until(lambda: ui.find(calculator, name=caption, role="combo box"), what=caption)
        # An editable list takes the focus in its edit field.
        window_id = x_window("^Sweltra - Sports")
        focus(ui.find(box, role="text") or box, window_id)
        ui.keys(window_id, *["Down"] * presses)
        label = caption.split(". ", 1)[-1].rstrip("*")
        points_box = ui.find(calculator, name=f"Risk points for {label}")
        assert points_box, f"no points box named for {label!r}"
        ui.wait_until(lambda: ui.text_of(points_box) == points,
                      what=f"{points!r} in the points box of {label!r} (it shows {ui.text_of(points_box)!r})")

    def picks(self):
        calculator = self.window(CALCULATOR)
        for caption, presses, points in PICKS:
            self.pick(calculator, caption, presses, points)

    def press(self, window_title, button):
        window = self.window(window_title)
        control = ui.wait_until(lambda: ui.find(window, name=button, role="push button"), what=button)
        window_id = x_window("^" + re.escape(window_title[:12]))
        focus(control, window_id)
        ui.keys(window_id, "space")

    def missing_factor(self):
        self.press(CALCULATOR, "Calculate Total:")
        box = self.window(APP)
        texts = [ui.name_of(label) for label in ui.find_all(box, role="label")]
        assert "Please add Venue data." in texts, f"the message box says {texts}"
        self.screenshot("message")
        ui.keys(x_window(f"^{APP}$"), "Return")
        ui.wait_until(lambda: APP not in self.showing(), what="the message box to close")
        total = ui.find(self.window(CALCULATOR), name="Total risk score")
        assert ui.text_of(total) == "", f"the total box shows {ui.text_of(total)!r}"

    def full_calculation(self):
        calculator = self.window(CALCULATOR)
        self.pick(calculator, *VENUE)
        self.press(CALCULATOR, "Calculate Total:")
        total = ui.find(calculator, name="Total risk score")
        ui.wait_until(lambda: ui.text_of(total) == TOTAL, what=f"{TOTAL!r} in the total box")
        advice = ui.find(calculator, name="Recommendation")
        text = ui.wait_until(lambda: ui.text_of(advice).strip(), what="the recommendation")
        assert not any(n in text for n in NOTICES), f"a notice instead of the recommendation: {text[:200]!r}"
        self.screenshot("calculated")

    def asterisk(self):
        self.press(CALCULATOR, "*")
        viewer = self.window(VIEWER)
        box = ui.wait_until(lambda: ui.find(viewer, role="text"), what="the viewer's text box")
        text = ui.wait_until(lambda: ui.text_of(box).strip(), what="the explanation in the viewer")
        assert not any(n in text for n in NOTICES), f"a notice instead of the document: {text[:200]!r}"
        back = ui.find(viewer, name="Back", role="push button")
        ui.wait_until(lambda: "focused" in ui.states_of(back), what='the focus on the viewer\'s "Back"')
        assert sorted(self.showing()) == sorted([CALCULATOR, VIEWER]), f"windows: {self.showing()}"
        self.screenshot("viewer")

    def back_from_viewer(self):
        ui.keys(x_window("^Readme Viewer$"), "Return")
        ui.wait_until(lambda: self.showing() == [CALCULATOR], what="the calculator alone again")

    def exit(self):
        self.press(CALCULATOR, "Exit Calculator")
        status = self.process.wait(timeout=15)
        assert status == 0, f"the program ended with status {status}"

    def main(self):
        steps = (
            ("start-up window, focus on Readme", self.startup),
            ("names on the start-up window", lambda: self.names_check("")),
            ("Readme shows the conditions of use", self.readme),
            ("names on the About window", lambda: self.names_check(ABOUT)),
            ("Back shows a fresh start-up window", self.back_to_startup),
            ("Accept shows the calculator", self.accept),
            ("names on the calculator", lambda: self.names_check(CALCULATOR)),
            ("picks with the arrow keys", self.picks),
            ("Calculate with the venue missing", self.missing_factor),
            ("full calculation", self.full_calculation),
            ("* opens the viewer", self.asterisk),
            ("names on the viewer", lambda: self.names_check(VIEWER)),
            ("Back in the viewer", self.back_from_viewer),
            ("Exit Calculator ends the program", self.exit),
        )
        for name, step in steps:
            self.run(name, step)
            if self.process.poll() is not None and step != self.exit:
                print(f"FAIL the program ended early, status {self.process.returncode}", flush=True)
                self.failed += 1
                break
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()
        return 1 if self.failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    os.makedirs(sys.argv[2], exist_ok=True)
    sys.exit(Run(sys.argv[1], sys.argv[2]).main())
