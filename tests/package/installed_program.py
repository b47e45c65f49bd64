"""Starts the installed program on the X server in DISPLAY and walks it as a user would: the
start-up window, "Readme: Conditions of Use", the About window with the conditions of use, Back,
and a letter key that ends the program. Run on tools/with-x.sh --atspi, see deb-roundtrip.sh.
Prints one "PASS name" or "FAIL name: reason" line per check and exits 1 if any failed.
Screenshots go to the output folder, for a person to look at.

Usage: installed_program.py PROGRAM OUTPUT_FOLDER
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xdriver as ui  # noqa: E402

APP = "SweltraC"
ABOUT_TITLE = "About Sweltra \u00b0C"
ABOUT_X_TITLE = "^About Sweltra"
# The start-up window has no title; on X, Qt names an untitled window after the application.
STARTUP_X_TITLE = f"^({APP})?$"
README = "Readme: Conditions of Use"
STARTUP_BUTTONS = (README, "Decline Conditions of Use/Exit", "Accept Conditions of Use")
# Phrases of the rich-text box's notices for a document it could not show.
NOTICES = ("was not found in the folder", "could not be read", "not a readable rich-text", "too large to show")


def visible_windows(title_pattern=None):
    """X window ids of the program's visible top-level windows, optionally only those whose title
    matches a regular expression."""
    return ui.x_windows(APP, title_pattern)


def main(program, out):
    os.makedirs(out, exist_ok=True)
    checks = ui.Checks(out)
    log = open(os.path.join(out, "program.log"), "w")
    process = subprocess.Popen([program], stdout=log, stderr=subprocess.STDOUT)
    state = {}

    def program_on_bus():
        if process.poll() is not None:
            log.flush()
            with open(log.name, encoding="utf-8", errors="replace") as output:
                raise AssertionError(f"the program ended at start ({process.returncode}): {output.read()[-400:]}")
        return ui.find_application(APP)

    def startup_window():
        app = ui.wait_until(program_on_bus, timeout=30, what=f"application {APP!r} on the bus")
        state["app"] = app
        startup = ui.wait_for_window(app, "", timeout=30)
        ids = ui.wait_until(lambda: visible_windows(), what="a visible X window of class SweltraC")
        assert len(ids) == 1, f"{len(ids)} visible windows instead of the start-up window alone"
        assert len(ui.windows_of(app)) == 1, "more than the start-up window is showing"
        for caption in STARTUP_BUTTONS:
            assert ui.find(startup, name=caption, role="push button"), f'no button "{caption}"'
        # The keyboard focus is where the window puts it at start, on the Readme button.
        ui.keys(ids[0])
        readme = ui.find(startup, name=README, role="push button")
        ui.wait_until(lambda: "focused" in ui.states_of(readme), what=f'the focus on "{README}"')
        state["startup_id"] = ids[0]
        checks.screenshot("startup")

    def about_holds_conditions():
        assert "startup_id" in state, "no start-up window to start from"
        ui.keys(state["startup_id"], "Return")
        about = ui.wait_for_window(state["app"], ABOUT_TITLE)
        box = ui.wait_until(lambda: ui.find(about, role="text"), what="the About window's text box")
        text = ui.wait_until(lambda: ui.text_of(box).strip(), what="text in the About window's box")
        with open(os.path.join(out, "about-text.txt"), "w", encoding="utf-8") as saved:
            saved.write(text)
        notice = next((phrase for phrase in NOTICES if phrase in text), None)
        assert notice is None, f"the box shows a notice instead of the document: {text[:200]!r}"
        # The heading near the top, not somewhere among control words shown as text.
        assert "conditions of use" in text[:200].lower(), f"the box does not hold the conditions: {text[:200]!r}"
        assert len(ui.windows_of(state["app"])) == 1, "the start-up window did not close"
        checks.screenshot("about")

    def back_and_letter_key_end_program():
        ids = ui.wait_until(lambda: visible_windows(ABOUT_X_TITLE), what="the About window on X")
        ui.keys(ids[0], "Escape")
        ui.wait_for_window(state["app"], "")
        ids = ui.wait_until(lambda: visible_windows(STARTUP_X_TITLE), what="a fresh start-up window on X")
        checks.screenshot("startup-again")
        ui.keys(ids[0], "q")
        status = process.wait(timeout=15)
        assert status == 0, f"the program ended with status {status}"

    for name, step in (("start-up window", startup_window), ("About shows the conditions of use",
                       about_holds_conditions), ("Back, then a letter key ends the program",
                       back_and_letter_key_end_program)):
        checks.run(name, step)

    if process.poll() is None:
        process.kill()
        process.wait()
    log.close()
    return 1 if checks.failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
