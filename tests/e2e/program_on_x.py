"""Walks a program on the X server in DISPLAY (tools/with-x.sh --atspi) as a person does, with keys
through its accessibility tree: Accept, every factor picked, Calculate, "*" and Back, the record
saved as PDF, Exit. Every focusable control of every window must have a name. Prints PASS or FAIL
per step, saves a screenshot of each window, exits 1 on a failure or 77 without AT-SPI (CI: 1).

Usage: program_on_x.py PROGRAM OUTPUT_FOLDER
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
try:
    import xdriver as ui
    from gi.repository import Atspi
except (ImportError, ValueError) as missing:  # python3-gi, gir1.2-atspi-2.0
    print(f"missing: {missing} (python3-gi, gir1.2-atspi-2.0)")
    sys.exit(1 if os.environ.get("SWELTRA_REQUIRE_X") == "1" else 77)

APP = "SweltraC"
CALCULATOR = "Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"
VIEWER = "Readme Viewer"
NOTICES = ("was not found in the folder", "could not be read", "not a readable rich-text", "too large to show")
NO_ROLE = {"", "unknown", "invalid", "filler", "redundant object"}  # nothing a screen reader can say


class Walk(ui.Checks):
    def __init__(self, program, out):
        super().__init__(out)
        self.log = open(os.path.join(out, "program.log"), "w")
        self.process = subprocess.Popen([program], stdout=self.log, stderr=subprocess.STDOUT)

    def shown(self, title, *others):
        """The window of this title once it and the others alone show, its controls all named."""
        wanted = sorted((title, *others))
        ui.wait_until(lambda: sorted(ui.name_of(w) for w in ui.windows_of(self.app)) == wanted, what=f"{wanted}")
        window = ui.wait_for_window(self.app, title)
        nameless = [ui.describe(n) for n in ui.walk(window) if {"focusable", "showing"} <= ui.states_of(n)
                    and (ui.role_of(n) in NO_ROLE or not ui.name_of(n).strip())]
        assert not nameless, f"controls without a name in {title!r}: {nameless}"
        self.screenshot(re.sub(r"\W+", "-", title.lower()).strip("-")[:20] or "startup")
        return window

    def key(self, title, *keys):
        # Untitled, the start-up window is named after the program on X.
        ui.keys(ui.wait_x_window(APP, f"^{re.escape(title)}$" if title else f"^({APP})?$"), *keys)

    def focus(self, title, control):
        self.key(title)
        Atspi.Component.grab_focus(control)
        ui.wait_until(lambda: "focused" in ui.states_of(control), what=f"the focus on {ui.describe(control)}")

    def press(self, window, title, button):
        self.focus(title, ui.wait_until(lambda: ui.find(window, name=button, role="push button"), what=button))
        self.key(title, "space")

    def document(self, window, name=None):
        box = ui.wait_until(lambda: ui.find(window, name=name, role="text"), what=f"the text box {name}")
        text = ui.wait_until(lambda: ui.text_of(box).strip(), what=f"text in the box {name}")
        assert not any(n in text for n in NOTICES), f"a notice instead of the document: {text[:200]!r}"
        return text

    def start(self):
        def on_bus():
            assert self.process.poll() is None, f"the program ended at start ({self.process.returncode})"
            return ui.find_application(APP)
        self.app = ui.wait_until(on_bus, timeout=30, what=f"{APP} on the accessibility bus")
        self.shown("")

    @staticmethod
    def beside(window, control):
        """The text box nearest on the right of the control on its row, as drawn."""
        a = Atspi.Component.get_extents(control, Atspi.CoordType.WINDOW)
        boxes = [(b.x, node) for node in ui.find_all(window, role="text")
                 for b in [Atspi.Component.get_extents(node, Atspi.CoordType.WINDOW)]
                 if b.y < a.y + a.height and a.y < b.y + b.height and b.x + b.width / 2 > a.x + a.width]
        return min(boxes, key=lambda box: box[0], default=(0, None))[1]

    def calculate(self):
        self.key("", "Tab", "Tab", "Return")  # from Readme past Decline to Accept
        calculator = self.shown(CALCULATOR)
        total = 0  # each list's first entry, the other temperature scale aside; points beside the list
        for box in ui.find_all(calculator, role="combo box"):
            if "enabled" not in ui.states_of(box):
                continue
            self.focus(CALCULATOR, ui.find(box, role="text") or box)  # an editable list's edit field
            self.key(CALCULATOR, "Down")
            points = self.beside(calculator, box)  # none beside the factors without points
            if points:
                total += int(ui.wait_until(lambda: ui.text_of(points), what=f"points beside {ui.describe(box)}"))
        self.press(calculator, CALCULATOR, "Calculate Total:")
        shown = self.beside(calculator, ui.find(calculator, name="Calculate Total:", role="push button"))
        ui.wait_until(lambda: ui.text_of(shown) == f" {total}", what=f"{total} beside Calculate Total:")
        self.document(calculator, "Recommendation")

    def viewer_and_back(self):
        self.press(self.shown(CALCULATOR), CALCULATOR, "*")
        self.document(self.shown(VIEWER, CALCULATOR))
        self.key(VIEWER, "Return")  # on Back
        self.shown(CALCULATOR)

    def save_record(self):
        # The save dialog adds ".pdf" to a name typed without it.
        path = os.path.join(os.path.abspath(self.out), "record")
        self.key(CALCULATOR, "ctrl+shift+s")
        self.key("Save Assessment as PDF", "ctrl+a")
        ui.xdotool("type", "--delay", "20", path)
        self.key("Save Assessment as PDF", "Return")
        ui.wait_until(lambda: os.path.exists(path + ".pdf"), what=f"{path}.pdf saved")

    def exit(self):
        self.press(self.shown(CALCULATOR), CALCULATOR, "Exit Calculator")
        assert self.process.wait(timeout=15) == 0, f"the program ended with status {self.process.returncode}"


def main(program, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    walk = Walk(program, out)
    steps = (walk.start, walk.calculate, walk.viewer_and_back, walk.save_record, walk.exit)
    # Each step starts where the one before left the program.
    all(walk.run(step.__name__.replace("_", " "), step) for step in steps)
    walk.process.kill()  # a no-op once it has ended
    return 1 if walk.failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]) if len(sys.argv) == 3 else __doc__)
