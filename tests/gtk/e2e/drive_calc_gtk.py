#!/usr/bin/python3
"""Uses calc-gtk from outside, as a person at the desktop would.

Starts the program, finds its window by title, clicks with the pointer and
types on the keyboard (xdotool), reads what the window shows through the
accessibility bus (AT-SPI) and finally asks the window to close with
WM_DELETE_WINDOW, as a window manager does. Needs an X display and a D-Bus
session bus (run it under tests/support/with-xvfb and dbus-run-session).
With --wayland it runs on a headless Wayland compositor instead. On weston
(tests/support/with-weston), which has no seat, everything goes through
AT-SPI and each check that needs a keyboard or a screenshot is named as left
to sway. With --seat, on sway (tests/support/with-sway), keys are typed with
wtype and pictures taken with grim; the pointer's clicks stay AT-SPI actions.
Every wait polls with a deadline; nothing sleeps for long.
"""
import argparse
import json
import locale
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import X, protocol  # noqa: E402
from Xlib import display as xdisplay  # noqa: E402

TITLE = "Malventra"
PARAMETERS = "Parameters (Adult tree $: +10%) (Young Compensation: -30%)"
# Where the window places what we click or read (content coordinates).
BUTTON_AT = (130, 220)      # 200 x 35
CHECKBOX_AT = (220, 185)
INPUT_AT = {10: (20, 90), 11: (290, 90), 12: (20, 180)}
AREA_500_AT = (20, 300)
FIELD_501_AT = (20, 550)
PANEL, LOGO = ((280, 50), (230, 80)), ((345, 350), (100, 100))
IMAGES = dict((PANEL, LOGO))
LOGO_SHOWN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../support/logo-shown")
# What a screen reader calls the inputs and the report: the text above them.
CAPTIONS = {10: "Emiss\u00e3o Total (Ton CO\u2082):", 11: "% Mensal Compensar:",
            12: "Custo Arrendamento ($/10.000m\u00b2/month):", 500: "Simulation:"}


# weston's headless backend has no seat, and weston lets no client send input or read another's pixels.
NO_SEAT = "weston's headless backend has no seat (keyboard, pointer) and no client may inject input"
NO_SHOT = "weston lets no client capture another's window"
# GTK's key bindings ask the missing seat for its keymap: GTK's complaint, not calc-gtk's.
NO_SEAT_CRITICAL = "gdk_seat_get_keyboard: assertion 'GDK_IS_SEAT (seat)' failed"


class Failure(Exception):
    pass


def left_to_sway(what, why=NO_SEAT):
    """A check weston cannot make; the run on sway (--seat) makes it."""
    print(f"on weston, left to the run on sway: {what}: {why}")


def wait_for(what, probe, timeout=10.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"gave up after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def xdotool(*args):
    run = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=10)
    return run.stdout.split() if run.returncode == 0 else []


def click(window, x, y):
    xdotool("mousemove", "--window", window, x, y, "click", "1")


class Typed(str):
    """Text typed as it is, among the names of keys sent to the window."""


# Keys as xdotool names them, for wtype: modifiers are held around the key,
# and Shift turns Tab into ISO_Left_Tab.
WTYPE_KEYS = {"shift+Tab": ["-M", "shift", "-k", "ISO_Left_Tab", "-m", "shift"],
              "ctrl+a": ["-M", "ctrl", "-k", "a", "-m", "ctrl"], "ctrl+c": ["-M", "ctrl", "-k", "c", "-m", "ctrl"]}


def wtype(*steps):
    """Sends keys and Typed text in one run. GTK 3 ignores a Tab, Return,
    BackSpace or Shift+Tab that ends a run, so each run ends by releasing
    F24, which nothing uses. sway takes the focus for a moment whenever a
    virtual keyboard is added: keys that must reach an input without it
    losing the focus in between go in one run."""
    argv = [arg for step in steps for arg in ([step] if isinstance(step, Typed) else WTYPE_KEYS.get(step, ["-k", step]))]
    subprocess.run(["wtype", *argv, "-p", "F24"], check=True, timeout=10)


def swaymsg(*args):
    return subprocess.run(["swaymsg", *args], capture_output=True, text=True, check=True, timeout=10).stdout


def sway_window(pid):
    """The place and size of the window of process `pid` as sway shows it,
    without sway's border and title bar, in grim's "x,y wxh"."""
    nodes = [json.loads(swaymsg("-t", "get_tree"))]
    while nodes:
        node = nodes.pop()
        if node.get("pid") == pid:
            outer, inner = node["rect"], node["window_rect"]
            return f"{outer['x'] + inner['x']},{outer['y'] + inner['y']} {inner['width']}x{inner['height']}"
        nodes += node.get("nodes", []) + node.get("floating_nodes", [])
    raise Failure(f"sway shows no window of process {pid}")


class Window:
    """The program's widgets as the accessibility bus shows them."""

    def __init__(self, app):
        self.by_place = {}
        # Places count from the window's content: on Wayland GTK draws the
        # title bar and shadow inside the window, before the content.
        frame = app.get_child_at_index(0)
        content = frame and frame.get_child_at_index(frame.get_child_count() - 1)
        if content:  # else not built yet, and nothing is found
            origin = content.get_position(Atspi.CoordType.WINDOW)
            self.origin = (origin.x, origin.y)
            self._collect(app)

    def _collect(self, node):
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is None:
                continue
            point = child.get_position(Atspi.CoordType.WINDOW)
            self.by_place[(child.get_role(), point.x - self.origin[0], point.y - self.origin[1])] = child
            self._collect(child)

    def close_button(self):
        """The only button above the content: the title bar's close button."""
        return next(w for (role, _, y), w in self.by_place.items() if role == Atspi.Role.PUSH_BUTTON and y < 0)

    def at(self, role, place):
        widget = self.by_place.get((role, *place))
        if widget is None:
            raise Failure(f"no {role.value_nick} at {place}; found {sorted((r.value_nick, x, y) for r, x, y in self.by_place)}")
        return widget


def text_of(widget):
    widget.clear_cache()
    return Atspi.Text.get_text(widget, 0, -1)


def focused(widget):
    widget.clear_cache()
    return widget.get_state_set().contains(Atspi.StateType.FOCUSED)


def find_app(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid and app.get_child_count() > 0:
            return app
    return None


def wait_for_window(proc, timeout=10.0):
    """The id of calc-gtk's window once it is shown; fails if `proc` ends first."""
    def window():
        if proc.poll() is not None:
            raise Failure(f"calc-gtk exited with status {proc.returncode} before showing its window")
        found = xdotool("search", "--onlyvisible", "--name", f"^{TITLE}$")
        return found[0] if found else None
    return wait_for(f'a window titled "{TITLE}"', window, timeout=timeout)


def x_window_shot(window):
    return lambda shot: subprocess.run(["/usr/bin/import", "-window", window, shot], check=True, timeout=20)


def sway_window_shot(pid):
    return lambda shot: subprocess.run(["grim", "-g", sway_window(pid), shot], check=True, timeout=20)


def steady_screenshot(take, path):
    """The window as drawn (`take` writes a picture of it to a file), once two shots in a row agree."""
    shots = [path + ".a.png", path + ".b.png"]

    def steady():
        for shot in shots:
            take(shot)
        return subprocess.run(["/usr/bin/cmp", "-s", *shots]).returncode == 0
    try:
        wait_for("the window to finish drawing", steady, timeout=10, interval=0.2)
        os.replace(shots[0], path)
    finally:
        for shot in shots:
            if os.path.exists(shot):
                os.remove(shot)


def ask_to_close(window_id):
    """Sends WM_DELETE_WINDOW, as a window manager does for the close button."""
    x = xdisplay.Display()
    try:
        window = x.create_resource_object("window", int(window_id))
        delete = x.intern_atom("WM_DELETE_WINDOW")
        if delete not in (window.get_wm_protocols() or []):
            raise Failure("the window does not take part in WM_DELETE_WINDOW")
        message = protocol.event.ClientMessage(window=window, client_type=x.intern_atom("WM_PROTOCOLS"),
                                               data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        # A round trip, not just a flush: closing the connection with
        # the request still unread by the server can lose it.
        x.sync()
    finally:
        x.close()


def pixel(png, x, y):
    run = subprocess.run(["/usr/bin/convert", png, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True, timeout=20)
    red, green, blue = run.stdout.splitlines()[1].split("(")[1].split(")")[0].split(",")[:3]
    return int(float(red)), int(float(green)), int(float(blue))


def check_logo_shown(png):
    logo = subprocess.run([LOGO_SHOWN, png], capture_output=True, text=True, timeout=30)
    if logo.returncode != 0:
        raise Failure(f"no logo: {logo.stdout.strip()}")


def look_in_root(root):
    """Starts calc-gtk from the PATH inside a Debian root (scripts/debian-root)
    on this display, checks that the window shows the panel and the logo,
    and closes it."""
    debian_root = os.path.join(os.path.dirname(__file__), "../../../scripts/debian-root")
    log = tempfile.TemporaryFile(mode="w+")
    shown = None
    proc = subprocess.Popen([debian_root, "run", root, "/usr/bin/env", "DISPLAY=" + os.environ["DISPLAY"],
                             "LC_ALL=C.UTF-8", "NO_AT_BRIDGE=1", "calc-gtk"],
                            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    try:
        shown = wait_for_window(proc, timeout=30)
        with tempfile.TemporaryDirectory() as tmp:
            shot = os.path.join(tmp, "window.png")
            steady_screenshot(x_window_shot(shown), shot)
            (px, py), (pw, ph) = PANEL
            # The panel is translucent red; the logo is judged as for a clean clone's window.
            for x, y in ((px + 10, py + 10), (px + pw - 10, py + ph - 10)):
                r, g, b = pixel(shot, x, y)
                if not (r >= 150 and r > g + 60 and r > b + 60):
                    raise Failure(f"no red panel at ({x}, {y}): rgb{(r, g, b)}")
            check_logo_shown(shot)
        ask_to_close(shown)
        status = proc.wait(timeout=20)
        log.seek(0)
        output = log.read()
        if status != 0 or "CRITICAL" in output:
            raise Failure(f"calc-gtk ended with status {status}:\n{output}")
    finally:
        # `run` ends the root's processes with itself; the window's own pid
        # is one of the root's PID namespace, never to be signalled from here.
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(timeout=20)
            except subprocess.TimeoutExpired:
                proc.kill()


class Session:
    def __init__(self, args):
        self.args = args
        locale.setlocale(locale.LC_NUMERIC, args.locale)
        self.decimal = locale.localeconv()["decimal_point"]
        os.environ["TZ"] = args.tz
        time.tzset()
        if args.tz != "UTC" and time.localtime().tm_gmtoff == 0:
            raise Failure(f"the time zone {args.tz} is unknown here (is tzdata installed?)")
        self.presses, self.report = 0, ""
        self.no_seat = args.wayland and not args.seat
        self.last_return = 0.0
        self.log = tempfile.TemporaryFile(mode="w+")
        env = dict(os.environ, LC_ALL=args.locale, TZ=args.tz)
        for name in ("NO_AT_BRIDGE", "GTK_MODULES") + (() if args.wayland else ("WAYLAND_DISPLAY",)):
            env.pop(name, None)
        self.proc = subprocess.Popen([args.program], env=env, stdin=subprocess.DEVNULL,
                                     stdout=self.log, stderr=subprocess.STDOUT)

    def printf(self, value):
        """What "%f" gives in the program's locale."""
        return ("%f" % value).replace(".", self.decimal)

    def activate(self, widget, x, y):
        """Clicks at (x, y) of the window; on Wayland, with no pointer, the widget's own action does."""
        if self.args.wayland:
            Atspi.Action.do_action(widget, 0)
        else:
            click(self.window, x, y)

    def keyboard(self, *steps):
        """Sends keys ("Tab", "shift+Tab", "ctrl+a") and Typed text to the focused window."""
        if self.args.seat:
            # A Return within about 250 ms of the one before is lost here.
            if "Return" in steps:
                time.sleep(max(0.0, self.last_return + 0.3 - time.monotonic()))
                self.last_return = time.monotonic()
            return wtype(*steps)
        for step in steps:
            xdotool(*(["type", "--delay", "20", "--", step] if isinstance(step, Typed) else ["key", "--clearmodifiers", step]))

    def focus(self, widget, x, y):
        """Clicks at (x, y) of the window; on Wayland, with no pointer, asks the widget to take the focus."""
        if self.args.wayland:
            Atspi.Component.grab_focus(widget)
        else:
            click(self.window, x, y)
        wait_for(f"{widget.get_role_name()} {widget.get_name()!r} to take the focus", lambda: focused(widget))

    def start(self):
        self.window = None if self.args.wayland else wait_for_window(self.proc)
        app = wait_for("calc-gtk on the accessibility bus", lambda: find_app(self.proc.pid))
        self.widgets = wait_for("the report area on the accessibility bus", lambda: self._widgets(app))

    def _widgets(self, app):
        # Widgets not yet allocated report no place, so wait for every one of them.
        w = Window(app)
        wanted = [(Atspi.Role.PUSH_BUTTON, *BUTTON_AT), (Atspi.Role.CHECK_BOX, *CHECKBOX_AT),
                  (Atspi.Role.LABEL, *AREA_500_AT), (Atspi.Role.LABEL, *FIELD_501_AT)]
        wanted += [(Atspi.Role.SPIN_BUTTON, *place) for place in INPUT_AT.values()]
        return w if all(key in w.by_place for key in wanted) else None

    def input(self, number):
        return self.widgets.at(Atspi.Role.SPIN_BUTTON, INPUT_AT[number])

    def area(self):
        return self.widgets.at(Atspi.Role.LABEL, AREA_500_AT)

    def check_start(self):
        shown = {n: text_of(self.input(n)) for n in INPUT_AT}
        want = {10: "365.60", 11: "8.32", 12: "850.22"}
        for n, text in want.items():
            if shown[n] != text.replace(".", self.decimal):
                raise Failure(f"input {n} shows {shown[n]!r} at start")
        if text_of(self.area()) != "":
            raise Failure(f"output area is not empty at start: {text_of(self.area())!r}")
        field = text_of(self.widgets.at(Atspi.Role.LABEL, FIELD_501_AT))
        if field != PARAMETERS:
            raise Failure(f"parameters field shows {field!r}")
        for place, size in IMAGES.items():
            shown = self.widgets.at(Atspi.Role.ICON, place).get_size()
            if (shown.x, shown.y) != size:
                raise Failure(f"the image at {place} is {shown.x} x {shown.y}, not {size[0]} x {size[1]}")
        button = self.widgets.at(Atspi.Role.PUSH_BUTTON, BUTTON_AT)
        if button.get_name() != "Calculates Compensation":
            raise Failure(f"button is labelled {button.get_name()!r}")

    def press(self, adult, keys=()):
        """Clicks the button (or sends `keys`) and checks the report line by line."""
        self.presses += 1
        before = time.time()
        if keys:
            self.keyboard(*keys)
        else:
            self.activate(self.widgets.at(Atspi.Role.PUSH_BUTTON, BUTTON_AT), BUTTON_AT[0] + 100, BUTTON_AT[1] + 17)
        previous = self.report

        def report_shown():
            text = text_of(self.area())
            return text if text and text != previous else None
        report = wait_for(f"report {self.presses}", report_shown)
        after = time.time()
        # Read once the press is handled: it commits text still being typed.
        values = {n: self.input(n).get_current_value() for n in INPUT_AT}
        # The core's report for what the inputs hold ("%f" of each value), at
        # the local time of the press (TZ), a second either side.
        self.values, self.report = values, report
        wants = [subprocess.run([self.args.report_text, str(self.presses), f"@{s}", self.printf(values[10]),
                                 self.printf(values[11]), self.printf(values[12]), "adult" if adult else "young"],
                                env=dict(os.environ, LC_ALL=self.args.locale), capture_output=True, text=True,
                                check=True).stdout for s in range(int(before) - 1, int(after) + 2)]
        if report in wants:
            return report
        want = wants[1]
        got_lines, want_lines = report.split("\n"), want.split("\n")
        for i, (got, exp) in enumerate(zip(got_lines, want_lines), 1):
            if got != exp:
                raise Failure(f"report {self.presses}, line {i}: {got!r}, expected {exp!r} (TZ {self.args.tz})\n{report}")
        if len(got_lines) != len(want_lines):
            raise Failure(f"report {self.presses} has {len(got_lines)} lines, expected {len(want_lines)}\n{report}")
        return report

    def tick_checkbox(self):
        box = self.widgets.at(Atspi.Role.CHECK_BOX, CHECKBOX_AT)
        self.activate(box, CHECKBOX_AT[0] + 9, CHECKBOX_AT[1] + 10)

        def ticked():
            box.clear_cache()
            return box.get_state_set().contains(Atspi.StateType.CHECKED)
        wait_for("the checkbox to be ticked", ticked)

    def type_into(self, number, text, leave_with_tab=True):
        """Replaces what input `number` holds (an empty text empties it);
        without Tab the text stays uncommitted until something else takes
        the focus."""
        spin = self.input(number)
        if self.no_seat:
            Atspi.EditableText.set_text_contents(spin, text)
        else:
            self.focus_input(number)
            self.keyboard("ctrl+a", "BackSpace", *([Typed(text)] if text else []))
        wait_for(f"input {number} to show {text!r}", lambda: text_of(spin) == text)
        if leave_with_tab and self.no_seat:
            left_to_sway(f"Tab committing input {number} before the press")
        elif leave_with_tab:
            self.keyboard("Tab")
            value = float(text.replace(self.decimal, "."))
            wait_for(f"input {number} to hold {text}", lambda: spin.get_current_value() == value)

    def focus_input(self, number):
        x, y = INPUT_AT[number]
        self.focus(self.input(number), x + 30, y + 15)

    def press_expecting(self, adult, keys=(), **values):
        """Presses and also checks what the inputs held, e.g. cost=1.0."""
        report = self.press(adult, keys)
        for name, value in values.items():
            number = {"emission": 10, "monthly": 11, "cost": 12}[name]
            if abs(self.values[number] - value) > 1e-9:
                raise Failure(f"report {self.presses} is for {self.values[number]} in input {number}, not {value}")
        return report

    def check_keyboard_and_names(self):
        """The inputs and the report carry their captions as names; input 10
        has the focus at start, then Tab walks the controls in reading order."""
        for n, widget in [(n, self.input(n)) for n in INPUT_AT] + [(500, self.area())]:
            if widget.get_name() != CAPTIONS[n]:
                raise Failure(f"control {n} is named {widget.get_name()!r}, not {CAPTIONS[n]!r}")
        if self.no_seat:
            return left_to_sway("input 10 focused at start, Tab and Shift+Tab walking the controls")
        order = [self.input(10), self.input(11), self.input(12), self.widgets.at(Atspi.Role.CHECK_BOX, CHECKBOX_AT),
                 self.widgets.at(Atspi.Role.PUSH_BUTTON, BUTTON_AT), self.area()]
        if not self.args.wayland:
            xdotool("mousemove", "--window", self.window, 460, 10)  # keys go to the window under the pointer
        wait_for("input 10 to have the focus at start", lambda: focused(order[0]))
        if any(focused(w) for w in order[1:] + [self.widgets.at(Atspi.Role.LABEL, FIELD_501_AT)]):
            raise Failure("another control has the focus at start too")
        for what, widget in zip(["input 11", "input 12", "the checkbox", "the button", "the report"], order[1:]):
            self.keyboard("Tab")
            wait_for(f"Tab to focus {what}", lambda: focused(widget))
        self.keyboard("shift+Tab")
        wait_for("Shift+Tab to go back to the button", lambda: focused(order[4]))

    def check_escape(self, number):
        """Esc in an input leaves the window open, the focus and what was typed
        where they were: the next digit follows the one typed before Esc.
        One run of keys: on sway a new one would commit the input first."""
        spin = self.input(number)
        self.focus_input(number)
        self.keyboard("ctrl+a", Typed("9"), "Escape", Typed("1"))
        wait_for(f"input {number} to show 91 after 9, Esc and 1", lambda: text_of(spin) == "91")
        if self.proc.poll() is not None or not focused(spin):
            raise Failure(f"Esc in input {number} closed the window or took the focus from the input")

    def copy_report(self):
        """Ctrl+A selects the whole report and Ctrl+C puts it on the clipboard."""
        area, report = self.area(), text_of(self.area())
        self.focus(area, AREA_500_AT[0] + 150, AREA_500_AT[1] + 100)
        self.keyboard("ctrl+a")
        wait_for("Ctrl+A to select the report", lambda: Atspi.Text.get_n_selections(area) == 1 and (
            Atspi.Text.get_selection(area, 0).start_offset, Atspi.Text.get_selection(area, 0).end_offset) == (0, len(report)))
        self.keyboard("ctrl+c")
        paste = ["wl-paste", "--no-newline"] if self.args.wayland else ["xclip", "-o", "-selection", "clipboard"]
        wait_for("Ctrl+C to copy the report",
                 lambda: subprocess.run(paste, capture_output=True, timeout=10).stdout.decode() == report)

    def check_logo_sharp(self, scale=2):
        """Drawn at its 200 x 200 device pixels, the logo changes from pixel to
        pixel mostly in steep steps; blown up from 100 x 100 it would spread
        each edge over several small ones."""
        side, (x, y) = 100 * scale, (345 * scale, 350 * scale)
        raw = subprocess.run(["/usr/bin/import", "-window", self.window, "-crop", f"{side}x{side}+{x}+{y}", "+repage",
                              "-depth", "8", "rgb:-"], capture_output=True, check=True, timeout=20).stdout
        steps = [sum(abs(raw[i + k] - raw[i + 3 + k]) for k in range(3))
                 for i in range(0, len(raw) - 3, 3) if (i // 3) % side != side - 1]
        share = sum(step for step in steps if step > 120) / max(1, sum(steps))
        print(f"logo at scale {scale}: {share:.2f} of the change between neighbours in steep steps")
        if share < 0.5:
            raise Failure(f"the logo at scale {scale} is blurred: {share:.2f} of its change in steep steps")

    def screenshot(self, path):
        steady_screenshot(sway_window_shot(self.proc.pid) if self.args.seat else x_window_shot(self.window), path)

    def close(self):
        """Sends WM_DELETE_WINDOW, as a window manager does for the close button,
        and expects a clean exit with no failed GTK check in the output."""
        if self.args.seat:  # sway draws the title bar: its close asks the window as sway's kill does
            swaymsg(f"[pid={self.proc.pid}] kill")
        elif self.args.wayland:  # GTK draws the title bar, with its close button, itself
            Atspi.Action.do_action(self.widgets.close_button(), 0)
        else:
            ask_to_close(self.window)
        try:
            status = self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("calc-gtk still runs 10 s after its window was asked to close")
        if status != 0:
            raise Failure(f"calc-gtk exited with status {status}")
        if any("CRITICAL" in line and not (self.no_seat and NO_SEAT_CRITICAL in line)
               for line in self.output().splitlines()):
            raise Failure("calc-gtk reported a failed check")

    def stop(self):
        """Ends the program if it still runs and shows what it printed."""
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        out = self.output()
        if out.strip():
            print("--- calc-gtk output ---\n" + out, file=sys.stderr)

    def output(self):
        self.log.seek(0)
        return self.log.read()


# calc-gtk draws nothing with OpenGL and leaves GDK's GL driver unloaded,
# unless the user set GDK_GL. The driver's libraries, as /proc/<pid>/maps
# names them (libepoxy and libwayland-egl are GTK's own and always there).
GL_DRIVER_MARKS = ("libGL.so", "libGLX", "libEGL", "libglapi", "_dri.so", "libgallium", "libLLVM")
# Any value but "disable" lets GDK load the driver on X; on Wayland GDK loads
# it only to draw windows with GL, which "always" asks for.
USER_GDK_GL = {False: "legacy", True: "always"}
_shots = _empty_output = None


def forget_gl_probe():
    """GDK loads the GL driver to probe visuals only where no GTK program has
    left the result on the root window (GDK_VISUALS): clears it, so that the
    next start loads the driver unless GDK_GL=disable holds it back."""
    x = xdisplay.Display()
    try:
        x.screen().root.delete_property(x.intern_atom("GDK_VISUALS"))
        x.sync()
    finally:
        x.close()


def gl_drivers_mapped(pid):
    with open(f"/proc/{pid}/maps") as maps:
        return sorted({line.split()[-1] for line in maps if any(mark in line for mark in GL_DRIVER_MARKS)})


def check_gl_unloaded(session):
    mapped = gl_drivers_mapped(session.proc.pid)
    if mapped:
        raise Failure("calc-gtk loaded the GL driver it never uses: " + ", ".join(mapped))


def screenshot_at_rest(session, name):
    """The window with no hover, no focus and no blinking cursor, saved under
    `name` in a directory removed at exit. On X the pointer moves away; on
    sway the focus moves to an empty second output for the shot."""
    global _shots, _empty_output
    _shots = _shots or tempfile.TemporaryDirectory(prefix="drive-calc-gtk-")
    path = os.path.join(_shots.name, name)
    if not session.args.seat:
        xdotool("mousemove", 0, 0)
        session.screenshot(path)
        return path
    _empty_output = _empty_output or swaymsg("create_output")
    swaymsg("focus output right")
    session.screenshot(path)
    swaymsg(f"[pid={session.proc.pid}] focus")
    return path


def pixels(png):
    """Size and RGB pixels of a PNG, whatever else the file holds."""
    return subprocess.run(["/usr/bin/convert", png, "ppm:-"], capture_output=True, check=True, timeout=20).stdout


def check_user_gdk_gl(args, gl_off_shot):
    """A second start with GDK_GL set by the user: the value is kept (GDK
    loads the driver) and the window looks exactly as without GL, logo and all."""
    check_logo_shown(gl_off_shot)
    gl = USER_GDK_GL[args.wayland]
    if not args.wayland:
        forget_gl_probe()
    os.environ["GDK_GL"] = gl
    try:
        session = Session(args)
    finally:
        del os.environ["GDK_GL"]
    try:
        session.start()
        gl_on_shot = screenshot_at_rest(session, "gl-on.png")  # drawn: on Wayland GDK loads GL to draw
        if not gl_drivers_mapped(session.proc.pid):
            raise Failure(f"with GDK_GL={gl} set by the user calc-gtk left GL unloaded: its own value won")
        if pixels(gl_on_shot) != pixels(gl_off_shot):
            raise Failure(f"the window with GDK_GL={gl} looks different from the one without GL")
        session.close()
    finally:
        session.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", help="the built calc-gtk")
    parser.add_argument("--root", help="only look at the window of calc-gtk installed in this Debian root")
    parser.add_argument("--locale", default="C.UTF-8", help="the user's locale (LC_ALL)")
    parser.add_argument("--tz", default="UTC", help="the user's time zone (TZ)")
    parser.add_argument("--screenshot", help="only press once and save the window here as PNG")
    parser.add_argument("--logo-only", action="store_true", help="only check the logo's sharpness at GDK_SCALE=2")
    parser.add_argument("--wayland", action="store_true", help="on a Wayland compositor, through AT-SPI alone")
    parser.add_argument("--seat", action="store_true", help="with --wayland: on sway, keys through wtype")
    parser.add_argument("--report-text", help="the core's report-text, which prints the expected report")
    args = parser.parse_args()
    if args.wayland and (args.root or args.screenshot or args.logo_only):
        parser.error("--root, --screenshot and --logo-only read pixels from X; not with --wayland")
    if args.seat and not args.wayland:
        parser.error("--seat is for a Wayland compositor (--wayland)")
    if args.root:
        try:
            look_in_root(args.root)
            print(f"the calc-gtk installed in {args.root} shows its panel and logo")
            return 0
        except Failure as failure:
            print(f"FAILED: {failure}", file=sys.stderr)
            return 1
    if not args.program or not args.report_text:
        parser.error("--program and --report-text, or --root, are needed")

    try:
        os.environ.pop("GDK_GL", None)
        if not args.wayland:
            forget_gl_probe()
        session = Session(args)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    try:
        session.start()
        if args.logo_only:
            session.check_logo_sharp()
            session.close()
            return 0
        session.check_start()
        gl_off_shot = None
        if not args.screenshot:  # the picture for the README shows no focus or selection
            gl_off_shot = None if session.no_seat else screenshot_at_rest(session, "gl-off.png")
            session.check_keyboard_and_names()
        session.press_expecting(adult=False, emission=365.6, monthly=8.32, cost=850.22)
        if args.screenshot:
            session.screenshot(args.screenshot)
            session.close()
            return 0
        session.press(adult=False)
        session.tick_checkbox()
        session.press(adult=True)
        session.type_into(11, "10")
        session.press_expecting(adult=True, monthly=10.0)
        # Typed and pressed at once, the way most people do it.
        session.type_into(12, "1234" + session.decimal + "5", leave_with_tab=False)
        session.press_expecting(adult=True, cost=1234.5)
        if session.no_seat:
            left_to_sway("Esc in an input; Enter in an input pressing the button; the caret or a selection kept through Enter")
            left_to_sway("Ctrl+A and Ctrl+C copying the report to the clipboard")
            session.press(adult=True)
            check_gl_unloaded(session)
            session.close()
            left_to_sway(f"the window with GDK_GL={USER_GDK_GL[True]} looking the same as without GL", NO_SHOT)
            print(f"calc-gtk passed on weston: {session.presses} presses in {args.locale}, TZ {args.tz}")
            return 0
        session.check_escape(11)
        # Typed, then Enter without leaving the input: Enter presses the button,
        # once (the next Enter is the next report), and the input keeps the focus.
        session.press_expecting(adult=True, keys=("ctrl+a", Typed("7"), "Return"), monthly=7.0)
        wait_for("input 11 to keep the focus through Enter", lambda: focused(session.input(11)))
        # The next digit goes where the caret was, after the 7, not before it.
        session.press_expecting(adult=True, keys=(Typed("5"), "Return"), monthly=75.0)
        # A selected value stays selected through Enter: the next digit replaces it.
        session.press_expecting(adult=True, keys=("ctrl+a", "Return"), monthly=75.0)
        session.press_expecting(adult=True, keys=(Typed("6"), "Return"), monthly=6.0)
        session.copy_report()
        session.press(adult=True)
        check_gl_unloaded(session)
        session.close()
        check_user_gdk_gl(args, gl_off_shot)
        on = " on sway" if args.seat else ""
        print(f"calc-gtk passed{on}: {session.presses} presses in {args.locale}, TZ {args.tz}")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
