#!/usr/bin/python3
"""Uses calc-gtk from outside, as a person at the desktop would.

Starts the program, finds its window by title, clicks with the pointer and
types on the keyboard (xdotool), reads what the window shows through the
accessibility bus (AT-SPI) and finally asks the window to close with
WM_DELETE_WINDOW, as a window manager does. Needs an X display and a D-Bus
session bus (run it under tests/support/with-xvfb and dbus-run-session).
With --wayland it runs on a headless Wayland compositor instead
(tests/support/with-weston): everything goes through AT-SPI, and each check
that needs a keyboard, a pointer or a screenshot is named as skipped.
Every wait polls with a deadline; nothing sleeps for long.
"""
import argparse
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


# weston's headless backend has no seat, and Wayland lets no client send input or read another's pixels.
NO_SEAT = "weston's headless backend has no seat (keyboard, pointer) and no client may inject input"
NO_SHOT = "no client may capture another's window on Wayland"
# GTK's key bindings ask the missing seat for its keymap: GTK's complaint, not calc-gtk's.
NO_SEAT_CRITICAL = "gdk_seat_get_keyboard: assertion 'GDK_IS_SEAT (seat)' failed"


class Failure(Exception):
    pass


def skip(what, why=NO_SEAT):
    print(f"SKIPPED: on Wayland, {what}: {why}")


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


def stamps_between(start, end):
    """The local times a press between start and end may carry, a second either side."""
    return {time.strftime("%Y/%m/%d - %H:%M:%S", time.localtime(s)) for s in range(int(start) - 1, int(end) + 2)}


def wait_for_window(proc, timeout=10.0):
    """The id of calc-gtk's window once it is shown; fails if `proc` ends first."""
    def window():
        if proc.poll() is not None:
            raise Failure(f"calc-gtk exited with status {proc.returncode} before showing its window")
        found = xdotool("search", "--onlyvisible", "--name", f"^{TITLE}$")
        return found[0] if found else None
    return wait_for(f'a window titled "{TITLE}"', window, timeout=timeout)


def steady_screenshot(window, path):
    """The window as drawn, once two shots in a row agree."""
    shots = [path + ".a.png", path + ".b.png"]

    def steady():
        for shot in shots:
            subprocess.run(["/usr/bin/import", "-window", window, shot], check=True, timeout=20)
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
            steady_screenshot(shown, shot)
            (px, py), (pw, ph) = PANEL
            # The panel is translucent red; the logo is judged as for a clean clone's window.
            for x, y in ((px + 10, py + 10), (px + pw - 10, py + ph - 10)):
                r, g, b = pixel(shot, x, y)
                if not (r >= 150 and r > g + 60 and r > b + 60):
                    raise Failure(f"no red panel at ({x}, {y}): rgb{(r, g, b)}")
            logo = subprocess.run([LOGO_SHOWN, shot], capture_output=True, text=True, timeout=30)
            if logo.returncode != 0:
                raise Failure(f"no logo: {logo.stdout.strip()}")
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
        """Clicks at (x, y) of the window; on Wayland the widget's own action does."""
        if self.args.wayland:
            Atspi.Action.do_action(widget, 0)
        else:
            click(self.window, x, y)

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

    def press(self, adult, key=None):
        """Clicks the button (or types `key`) and checks the report line by line."""
        self.presses += 1
        before = time.time()
        if key:
            xdotool("key", "--clearmodifiers", key)
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
        stamp = report[report.find("[") + 1:report.find("]")]
        if stamp not in stamps_between(before, after):
            raise Failure(f"report {self.presses} is stamped {stamp!r}, not the local time of the press "
                          f"({time.strftime('%Y/%m/%d - %H:%M:%S', time.localtime(before))} in {self.args.tz})")
        # The core's report for what the inputs hold ("%f" of each value).
        self.values, self.report = values, report
        want = subprocess.run([self.args.report_text, str(self.presses), stamp, self.printf(values[10]),
                               self.printf(values[11]), self.printf(values[12]), "adult" if adult else "young"],
                              env=dict(os.environ, LC_ALL=self.args.locale), capture_output=True, text=True,
                              check=True).stdout
        got_lines, want_lines = report.split("\n"), want.split("\n")
        for i, (got, exp) in enumerate(zip(got_lines, want_lines), 1):
            if got != exp:
                raise Failure(f"report {self.presses}, line {i}: {got!r}, expected {exp!r}\n{report}")
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
        x, y = INPUT_AT[number]
        if self.args.wayland:
            Atspi.EditableText.set_text_contents(spin, text)
        else:
            click(self.window, x + 30, y + 15)
            xdotool("key", "--clearmodifiers", "ctrl+a", "BackSpace")
            if text:
                xdotool("type", "--delay", "20", "--", text)
        wait_for(f"input {number} to show {text!r}", lambda: text_of(spin) == text)
        if leave_with_tab and self.args.wayland:
            skip(f"Tab committing input {number} before the press")
        elif leave_with_tab:
            xdotool("key", "Tab")
            value = float(text.replace(self.decimal, "."))
            wait_for(f"input {number} to hold {text}", lambda: spin.get_current_value() == value)

    def press_expecting(self, adult, key=None, **values):
        """Presses and also checks what the inputs held, e.g. cost=1.0."""
        report = self.press(adult, key)
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
        if self.args.wayland:
            return skip("input 10 focused at start, Tab and Shift+Tab walking the controls")
        order = [self.input(10), self.input(11), self.input(12), self.widgets.at(Atspi.Role.CHECK_BOX, CHECKBOX_AT),
                 self.widgets.at(Atspi.Role.PUSH_BUTTON, BUTTON_AT), self.area()]
        xdotool("mousemove", "--window", self.window, 460, 10)  # keys go to the window under the pointer
        wait_for("input 10 to have the focus at start", lambda: focused(order[0]))
        if any(focused(w) for w in order[1:] + [self.widgets.at(Atspi.Role.LABEL, FIELD_501_AT)]):
            raise Failure("another control has the focus at start too")
        for what, widget in zip(["input 11", "input 12", "the checkbox", "the button", "the report"], order[1:]):
            xdotool("key", "Tab")
            wait_for(f"Tab to focus {what}", lambda: focused(widget))
        xdotool("key", "shift+Tab")
        wait_for("Shift+Tab to go back to the button", lambda: focused(order[4]))

    def copy_report(self):
        """Ctrl+A selects the whole report and Ctrl+C puts it on the clipboard."""
        area, report = self.area(), text_of(self.area())
        click(self.window, AREA_500_AT[0] + 150, AREA_500_AT[1] + 100)
        wait_for("a click to focus the report", lambda: focused(area))
        xdotool("key", "--clearmodifiers", "ctrl+a")
        wait_for("Ctrl+A to select the report", lambda: Atspi.Text.get_n_selections(area) == 1 and (
            Atspi.Text.get_selection(area, 0).start_offset, Atspi.Text.get_selection(area, 0).end_offset) == (0, len(report)))
        xdotool("key", "--clearmodifiers", "ctrl+c")
        wait_for("Ctrl+C to copy the report", lambda: subprocess.run(
            ["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=10).stdout.decode() == report)

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
        steady_screenshot(self.window, path)

    def close(self):
        """Sends WM_DELETE_WINDOW, as a window manager does for the close button,
        and expects a clean exit with no failed GTK check in the output."""
        if self.args.wayland:  # GTK draws the title bar, with its close button, itself
            Atspi.Action.do_action(self.widgets.close_button(), 0)
        else:
            ask_to_close(self.window)
        try:
            status = self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("calc-gtk still runs 10 s after its window was asked to close")
        if status != 0:
            raise Failure(f"calc-gtk exited with status {status}")
        if any("CRITICAL" in line and not (self.args.wayland and NO_SEAT_CRITICAL in line)
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
USER_GDK_GL = "legacy"  # any value but "disable" lets GDK load the driver
_shots = None


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
    """The window with the pointer away (no hover, no focus, no blinking
    cursor), saved under `name` in a directory removed at exit."""
    global _shots
    _shots = _shots or tempfile.TemporaryDirectory(prefix="drive-calc-gtk-")
    path = os.path.join(_shots.name, name)
    xdotool("mousemove", 0, 0)
    session.screenshot(path)
    return path


def pixels(png):
    """Size and RGB pixels of a PNG, whatever else the file holds."""
    return subprocess.run(["/usr/bin/convert", png, "ppm:-"], capture_output=True, check=True, timeout=20).stdout


def check_user_gdk_gl(args, gl_off_shot):
    """A second start with GDK_GL set by the user: the value is kept (GDK
    loads the driver) and the window looks exactly as without GL."""
    forget_gl_probe()
    os.environ["GDK_GL"] = USER_GDK_GL
    try:
        session = Session(args)
    finally:
        del os.environ["GDK_GL"]
    try:
        session.start()
        if not gl_drivers_mapped(session.proc.pid):
            raise Failure(f"with GDK_GL={USER_GDK_GL} set by the user calc-gtk left GL unloaded: its own value won")
        gl_on_shot = screenshot_at_rest(session, "gl-on.png")
        if pixels(gl_on_shot) != pixels(gl_off_shot):
            raise Failure(f"the window with GDK_GL={USER_GDK_GL} looks different from the one without GL")
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
    parser.add_argument("--report-text", help="the core's report-text, which prints the expected report")
    args = parser.parse_args()
    if args.wayland and (args.root or args.screenshot or args.logo_only):
        parser.error("--root, --screenshot and --logo-only read pixels from X; not with --wayland")
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
            gl_off_shot = None if args.wayland else screenshot_at_rest(session, "gl-off.png")
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
        if args.wayland:
            skip("Enter in an input pressing the button; the caret or a selection kept through Enter")
            skip("Ctrl+A and Ctrl+C copying the report to the clipboard")
            session.press(adult=True)
            check_gl_unloaded(session)
            session.close()
            skip(f"the window with GDK_GL={USER_GDK_GL} looking the same as without GL", NO_SHOT)
            print(f"calc-gtk passed on Wayland: {session.presses} presses in {args.locale}, TZ {args.tz}")
            return 0
        # Enter in an input presses the button, once: the next click is the next report.
        session.type_into(11, "7", leave_with_tab=False)
        session.press_expecting(adult=True, key="Return", monthly=7.0)
        # The next digit goes where the caret was, after the 7, not before it.
        xdotool("type", "--", "5")
        session.press_expecting(adult=True, key="Return", monthly=75.0)
        # A selected value stays selected through Enter: the next digit replaces it.
        xdotool("key", "--clearmodifiers", "ctrl+a")
        session.press_expecting(adult=True, key="Return", monthly=75.0)
        xdotool("type", "--", "6")
        session.press_expecting(adult=True, key="Return", monthly=6.0)
        session.copy_report()
        session.press(adult=True)
        check_gl_unloaded(session)
        session.close()
        check_user_gdk_gl(args, gl_off_shot)
        print(f"calc-gtk passed: {session.presses} presses in {args.locale}, TZ {args.tz}")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
