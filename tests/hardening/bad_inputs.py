#!/usr/bin/python3
"""Bad input typed into the real calc-gtk, one press each.

Drives the built program from outside with the end-to-end tests' driver
(xdotool for the keyboard and pointer, AT-SPI to read the window): types
each text into its input, presses the button without leaving the input
first, and checks that every press gives its full report, that the report
agrees with what the spin button made of the text, and that the program is
still running. Runs in the C locale, where "8,32" is not a decimal number.
"""
import argparse
import json
import os
import sys

sys.dont_write_bytecode = True  # the driver's folder is not ours to write in
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gtk", "e2e"))
import drive_calc_gtk as e2e  # noqa: E402

# Each case: the input, the text typed, and the value the input then holds
# (bad_inputs.json, which calc-web's driver reads too). GTK reads the text
# with g_strtod when the input loses the focus to the button: it takes the
# number at the start (0 when there is none), keeps it within 0..10000, and
# leaves the previous value in place of NaN.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "bad_inputs.json"), encoding="utf-8") as table:
    CASES = [(case["input"], case["text"], case["holds"]) for case in json.load(table)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built calc-gtk")
    parser.add_argument("--report-text", required=True, help="the core's report-text")
    args = parser.parse_args()
    args.locale, args.tz, args.screenshot, args.wayland, args.seat = "C.UTF-8", "UTC", None, False, False

    session = e2e.Session(args)
    try:
        session.start()
        for number, text, value in CASES:
            session.type_into(number, text, leave_with_tab=False)
            report = session.press(adult=False)  # checks every line against the inputs' values
            if session.proc.poll() is not None:
                raise e2e.Failure(f"calc-gtk ended after {text!r} in input {number}")
            held = session.input(number).get_current_value()
            if abs(held - value) > 1e-9:
                raise e2e.Failure(f"input {number} holds {held} after {text!r}, expected {value}")
            annual = report.rstrip("\n").rsplit("\n", 1)[-1]
            print(f"input {number} {text!r:12} -> {held:g}, {annual}")
        session.close()
        print(f"calc-gtk passed: {session.presses} presses with bad input, still running after each")
        return 0
    except e2e.Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
