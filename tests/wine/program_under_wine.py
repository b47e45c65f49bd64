"""Walks the Windows program in its folder (the installed one: installer-roundtrip.sh) under Wine on the X server in DISPLAY
(tools/with-x.sh --wm): the start-up window, Accept, every factor picked, Calculate and the
recommendation, the full guidelines in the viewer and Back, and the assessment saved as PDF through
the system's save dialog and read back with pdftotext. Wine has no accessibility bridge: keys go in through xdotool, and the
windows are told by their titles, the PDF and screenshots. Prints PASS or FAIL per step, exits 1
on a failure.

Usage: program_under_wine.py WINE-RUN PREFIX FOLDER OUTPUT_FOLDER
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xdriver as ui  # noqa: E402

WINE_CLASS = "sweltrac.exe"
CALCULATOR = "Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"
VIEWER = "Readme Viewer"
NOTICES = ("was not found in the folder", "could not be read", "not a readable rich-text", "too large to show")


def twips(x, y, width, height):
    """The centre of a control laid out in twips, in the window's pixels at 96 dpi."""
    return str(round((x + width / 2) / 15)), str(round((y + height / 2) / 15))


# The calculator's focus stops, from Exit once round: each list gets one Down, its first entry.
STEPS = 32
CALCULATE = twips(6720, 5456, 1815, 375)
GUIDELINES = twips(3600, 5456, 3015, 375)


class Walk(ui.Checks):
    def __init__(self, wine_run, prefix, folder, out):
        super().__init__(out)
        self.log = open(os.path.join(out, "program.log"), "w")
        # Only the folder's own DLLs: it must hold all that the program needs.
        self.process = subprocess.Popen([wine_run, "--x", prefix, folder, "--", os.path.join(folder, "SweltraC.exe")],
                                        cwd=folder, stdout=self.log, stderr=subprocess.STDOUT)

    def window(self, title, timeout=60):
        return ui.wait_x_window(WINE_CLASS, f"^{re.escape(title)}$", timeout=timeout)

    def only(self, *titles):
        """The program shows exactly these windows."""
        wanted = sorted(titles)
        shown = lambda: sorted(ui.xdotool_text("getwindowname", i) for i in ui.x_windows(WINE_CLASS))
        ui.wait_until(lambda: shown() == wanted, what=f"the windows {wanted} (shown: {shown()})")

    def click(self, window, at):
        ui.xdotool("mousemove", "--window", window, *at, "click", "1")

    def start(self):
        # Untitled, the start-up window carries the program's name.
        startup = self.window("SweltraC", timeout=90)
        self.only("SweltraC")
        self.screenshot("startup")
        ui.keys(startup, "Tab", "Tab", "Return")  # from Readme past Decline to Accept

    def calculate(self):
        calculator = self.window(CALCULATOR)
        self.only(CALCULATOR)
        # Once round the tab order, picking each list's first entry on the way; the other
        # temperature scale is unavailable once one is picked.
        for _ in range(STEPS):
            ui.keys(calculator, "Down", "Tab")
        self.click(calculator, CALCULATE)
        ui.wait_until(lambda: self.only(CALCULATOR) is None, what="no message box")
        self.screenshot("calculator")

    def viewer_and_back(self):
        self.click(self.window(CALCULATOR), GUIDELINES)
        viewer = self.window(VIEWER)
        self.only(CALCULATOR, VIEWER)
        self.screenshot("viewer")
        ui.keys(viewer, "Return")  # the focus is on Back
        self.only(CALCULATOR)

    def save_record(self):
        path = os.path.join(self.out, "record.pdf")
        ui.keys(self.window(CALCULATOR), "ctrl+shift+s")
        dialog = self.window("Save Assessment as PDF")
        ui.keys(dialog, "End", "shift+Home")
        # Typed without ".pdf": the dialog adds it.
        ui.xdotool("type", "--delay", "20", "Z:" + path[:-4].replace("/", "\\"))
        ui.keys(dialog, "Return")
        ui.wait_until(lambda: os.path.exists(path) and self.only(CALCULATOR) is None, what=f"{path} saved")
        text = subprocess.run(["pdftotext", "-raw", path, "-"], capture_output=True, text=True, timeout=30).stdout
        words = " ".join(text.split())
        assert words.startswith("Heat risk assessment"), f"not a record: {words[:200]!r}"
        total = re.search(r"Total: (\d+) risk points", words)
        assert total and 18 <= int(total.group(1)) <= 98, f"no total on the record: {words[:600]!r}"
        assert "Recommendation Risk score" in words, f"no recommendation on the record: {words!r}"
        assert not any(n in words for n in NOTICES), f"a notice instead of the recommendation: {words!r}"
        print(f"record: total {total.group(1)}, {len(words.split())} words", flush=True)

    def exit(self):
        ui.keys(self.window(CALCULATOR), "alt+F4")
        assert self.process.wait(timeout=30) == 0, f"the program ended with status {self.process.returncode}"


def main(wine_run, prefix, folder, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    walk = Walk(wine_run, prefix, folder, out)
    steps = (walk.start, walk.calculate, walk.viewer_and_back, walk.save_record, walk.exit)
    all(walk.run(step.__name__.replace("_", " "), step) for step in steps)
    walk.process.kill()
    return 1 if walk.failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]) if len(sys.argv) == 5 else __doc__)
