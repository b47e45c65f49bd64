"""Takes the README's pictures: starts the program, accepts the conditions of use, answers every
factor as for a summer afternoon's outdoor match, calculates, and saves the calculator window as
a PNG. Given a second picture, it then saves the assessment as PDF with Ctrl+Shift+S through the
save dialog and turns the record's first page into that PNG (pdftoppm from poppler-utils, and
ImageMagick).

Usage (from the repository's root, after building the dev preset):
    tools/with-x.sh --atspi -- /usr/bin/python3 docs/make-screenshot.py build/dev/bin/SweltraC \\
        docs/calculator.png [docs/assessment.png]
"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import xdriver as ui  # noqa: E402
from gi.repository import Atspi  # noqa: E402

CALCULATOR_TITLE = "Sweltra - Sports Medicine Australia (SA Branch) - Non-Desert Version*"
# Each list by its caption, and how many entries down the wanted one is (the lists start empty).
PICKS = (
    ("Ordinary Air Temperature*", 3),  # 30 to 32
    ("2. Overall length of event (min)", 3),  # 60 to 120
    ("3. Individual intensity during the event", 3),  # moderate pace throughout
    ("4. Acclimatization of participants", 2),  # used to warm weather
    ("5. Athletic ability of individuals", 2),  # good fitness
    ("6. Age of Participants", 2),  # 13 to 17
    ("7. Time Between Drinks (min)", 2),  # 15 to 25
    ("8. Time of event (DST)", 3),  # 12 noon to 4 pm
    ("9. Surface type", 2),  # grass
    ("10. Venue", 3),  # outdoors
    ("11. Athletes' Other Risky Medical Conditions*", 1),  # none
)


def save_record(window_id, page_picture):
    """Ctrl+Shift+S, the save dialog answered with a scratch file, its first page as a PNG."""
    with tempfile.TemporaryDirectory() as scratch:
        pdf = os.path.join(scratch, "record.pdf")
        ui.xdotool("windowfocus", "--sync", window_id)
        ui.xdotool("key", "ctrl+shift+s")
        dialog = ui.wait_until(lambda: ui.x_windows("SweltraC", "^Save Assessment as PDF$"), what="the save dialog")[0]
        ui.xdotool("windowfocus", "--sync", dialog)
        # The proposed name is selected in the file name field: typing replaces it.
        ui.xdotool("key", "ctrl+a")
        ui.xdotool("type", "--delay", "20", pdf)
        ui.xdotool("key", "Return")
        ui.wait_until(lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, what="the saved PDF")
        time.sleep(0.5)
        subprocess.run(["pdftoppm", "-png", "-r", "72", "-f", "1", "-l", "1", "-singlefile", pdf,
                        os.path.splitext(page_picture)[0]], check=True, timeout=60)
    # A hairline frame shows the page's edge on a white background.
    subprocess.run(["convert", page_picture, "-bordercolor", "#b0b0b0", "-border", "1", "-strip", page_picture],
                   check=True, timeout=60)


def main(program, picture, page_picture=None):
    process = subprocess.Popen([program])
    try:
        app = ui.wait_for_application("SweltraC", timeout=30)
        startup = ui.wait_for_window(app, "")
        ui.press(ui.wait_until(lambda: ui.find(startup, name="Accept Conditions of Use", role="push button")))
        calculator = ui.wait_for_window(app, CALCULATOR_TITLE)
        window_id = ui.wait_x_window("SweltraC", "^Sweltra - Sports")
        ui.keys(window_id)
        for caption, steps in PICKS:
            box = ui.wait_until(lambda c=caption: ui.find(calculator, name=c, role="combo box"), what=caption)
            # An editable list takes the focus in its edit field.
            field = ui.find(box, role="text")
            Atspi.Component.grab_focus(field)
            ui.wait_until(lambda f=field: "focused" in ui.states_of(f), what=f"the focus on {caption}")
            ui.keys(window_id, *["Down"] * steps)
        calculate = ui.find(calculator, name="Calculate Total:", role="push button")
        Atspi.Component.grab_focus(calculate)
        ui.press(calculate)
        total = ui.wait_until(lambda: ui.find(calculator, name="Total risk score"))
        ui.wait_until(lambda: ui.text_of(total).strip(), what="the total")
        subprocess.run(["import", "-window", window_id, "-strip", picture], check=True, timeout=30)
        print(f"total {ui.text_of(total).strip()}, saved {picture}")
        if page_picture:
            save_record(window_id, page_picture)
            print(f"saved {page_picture}")
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(*sys.argv[1:])
