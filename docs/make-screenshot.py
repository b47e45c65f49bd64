"""Takes the README's picture of the calculator: starts the program, accepts the conditions of use,
answers every factor as for a summer afternoon's outdoor match, calculates, and saves the
calculator window as a PNG.

Usage (from the repository's root, after building the dev preset):
    tools/with-x.sh --atspi -- /usr/bin/python3 docs/make-screenshot.py build/dev/bin/SweltraC docs/calculator.png
"""

import os
import subprocess
import sys

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


def main(program, picture):
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
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
