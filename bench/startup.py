#!/usr/bin/python3
"""Start-up figures of a program against bare windows of its toolkit.

Runs inside one X server (bench/run starts it). The programs are started in
turns, each one opening a turn as often as the others. In each run the probe
notices the first complete frame and prints a line; wall time is from just
before the spawn to that frame. For calc-win32 and calc-cocoa the probe
exits there and the memory is the child's peak resident size (ru_maxrss).
With --press (calc-gtk, against two bare windows, without and with its
images) each program runs on and its resident size is polled every few
milliseconds: it has settled once the size has not changed for 300 ms, and
the settled figures are the moment of the last change (not before the first
frame) and the size then. That is done twice: each program as the first GTK
program on the display, and after one has left GDK's GL probe on the root
window. Then come the press figures and, last, one summary line to compare
from run to run.
"""
import argparse
import collections
import os
import re
import select
import signal
import statistics
import subprocess
import sys
import time

TARGET_RATIO = 1.10
TARGET_LIGHTER_MIB = 40.0
TARGET_PRESS_MS = 1.0
QUIET_NS = 300_000_000
POLL_S = 0.002
PAGE_KIB = os.sysconf("SC_PAGE_SIZE") // 1024 if hasattr(os, "sysconf") else 4

# Seconds and MiB of one run; settled figures only with --settle.
Run = collections.namedtuple("Run", "first first_mib settled settled_mib")


def child_env():
    env = dict(os.environ, NO_AT_BRIDGE="1", GSETTINGS_BACKEND="memory", LC_ALL="C.UTF-8")
    # GTK's own choice of GL for every program, as on a user's desktop.
    for name in ("WAYLAND_DISPLAY", "GDK_GL"):
        env.pop(name, None)
    return env


def resident_kib(statm):
    try:
        return int(os.pread(statm, 64, 0).split()[1]) * PAGE_KIB
    except (OSError, IndexError):
        return None


def run_once_windows(program, timeout=60.0):
    """One run on Windows, where pipes cannot be polled and there is no
    wait4: the probe's line carries the peak working set."""
    start = time.monotonic_ns()
    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    line = proc.stdout.readline()
    first_ns = time.monotonic_ns()
    proc.wait(timeout)
    peak = re.match(rb"first-frame peak-kib (\d+)", line)
    if not peak:
        raise SystemExit(f"{program}: no first frame (exit status {proc.returncode})")
    return Run((first_ns - start) / 1e9, int(peak.group(1)) / 1024, None, None)


def run_once(program, wrapper=(), settle=False, timeout=60.0):
    """One run. The probe prints its own CLOCK_MONOTONIC time where it can
    (GTK); otherwise (under Wine, on macOS) the time its line arrives is taken."""
    if os.name == "nt":
        return run_once_windows(program, timeout)
    start = time.monotonic_ns()
    proc = subprocess.Popen([*wrapper, program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL, env=child_env())
    statm = os.open(f"/proc/{proc.pid}/statm", os.O_RDONLY) if settle else None
    out, first_ns, rss, changed_ns, settled = b"", None, None, start, False
    deadline = start + int(timeout * 1e9)
    while True:
        ready, _, _ = select.select([proc.stdout], [], [], POLL_S if settle else 0.5)
        if ready:
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                break
            out += chunk
        now = time.monotonic_ns()
        if first_ns is None and b"\n" in out:
            m = re.match(rb"first-frame(?:-ns (\d+))?", out)
            first_ns = int(m.group(1)) if m and m.group(1) else now
            if not settle:
                break
        if settle:
            kib = resident_kib(statm)
            if kib != rss:
                rss, changed_ns = kib, now
            if first_ns is not None and now - max(changed_ns, first_ns) >= QUIET_NS:
                settled = True
                break
        if now > deadline:
            break
    if settle or first_ns is None:
        proc.kill()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    proc.stdout.close()
    if statm is not None:
        os.close(statm)
    if first_ns is None or (settle and not settled):
        what = "no first frame" if first_ns is None else "resident memory never settled"
        raise SystemExit(f"{program}: {what} within {timeout:.0f} s (exit status {proc.returncode})")
    at_frame = re.match(rb"first-frame-ns \d+ rss-kib (\d+)", out)
    maxrss_mib = usage.ru_maxrss / (1024 * 1024 if sys.platform == "darwin" else 1024)  # bytes on macOS
    first_mib = int(at_frame.group(1)) / 1024 if at_frame else maxrss_mib
    if not settle:
        return Run((first_ns - start) / 1e9, first_mib, None, None)
    return Run((first_ns - start) / 1e9, first_mib, (max(changed_ns, first_ns) - start) / 1e9, rss / 1024)


def summary(values):
    return min(values), statistics.median(values), max(values)


def press_figures(program, timeout=120.0):
    run = subprocess.run([program], capture_output=True, text=True, timeout=timeout, env=child_env(),
                         stdin=subprocess.DEVNULL)
    set_ns = re.search(r"press-set-ns median (\d+) min (\d+) max (\d+) n (\d+)", run.stdout)
    drawn = re.search(r"press-drawn-ns median (\d+)", run.stdout)
    if not set_ns or not drawn:
        raise SystemExit(f"{program}: no press figures (exit status {run.returncode})\n{run.stderr}")
    median, low, high, n = (int(g) for g in set_ns.groups())
    return median / 1e6, low / 1e6, high / 1e6, n, int(drawn.group(1)) / 1e6


def report_cost(program):
    """ns per build_report from Google Benchmark, and its table."""
    run = subprocess.run([program, "--benchmark_min_time=0.2"], capture_output=True, text=True, timeout=120)
    m = re.search(r"^BM_build_report/0\s+([\d.]+) ns", run.stdout, re.M)
    return (float(m.group(1)) if m else None), run.stdout.strip()


def verdict(ok):
    return "met" if ok else "MISSED"


def compare(names, programs, runs, wrapper=(), settle=False, before_each=lambda: None, where=None):
    """Start-up of the programs, alternately: every run of each, by name."""
    # One run of each first, not counted: it warms the disk cache and
    # fontconfig's cache for all alike.
    for program in programs:
        before_each()
        run_once(program, wrapper, settle)
    results = {name: [] for name in names}
    pairs = list(zip(names, programs))
    for turn in range(runs):
        # Each program goes first as often as the others.
        shift = turn % len(pairs)
        for name, program in pairs[shift:] + pairs[:shift]:
            before_each()
            results[name].append(run_once(program, wrapper, settle))
    where = where or ("Wine, one wineserver and Xvfb" if wrapper else "one Xvfb")
    print(f"Start-up, {runs} runs each, in turns, {where}; min / median / max:")
    if settle:
        print(f"  {'program':<14} {'first frame s':>20}   {'settled s':>20}   {'settled RSS MiB':>20}"
              f"   {'RSS at first frame':>18}")
    else:
        print(f"  {'program':<14} {'first frame s':>20}   {'peak RSS MiB':>20}")
    for name in names:
        line = f"  {name:<14} " + " ".join(f"{v:6.3f}" for v in summary([r.first for r in results[name]]))
        if settle:
            line += "   " + " ".join(f"{v:6.3f}" for v in summary([r.settled for r in results[name]]))
            line += "   " + " ".join(f"{v:6.1f}" for v in summary([r.settled_mib for r in results[name]]))
            line += f"   {statistics.median(r.first_mib for r in results[name]):11.1f} median"
        else:
            line += "   " + " ".join(f"{v:6.1f}" for v in summary([r.first_mib for r in results[name]]))
        print(line)
    return {name: Run(*(None if None in field else statistics.median(field) for field in zip(*runs_of)))
            for name, runs_of in results.items()}


class GlProbeCache:
    """GDK (X11) probes the GL driver for its visuals only when the root
    window lacks GDK_VISUALS, where the first GTK program on a display
    leaves the result for all later ones."""

    def __init__(self):
        from Xlib import display  # python3-xlib, as in the end-to-end tests

        self.display = display.Display()
        self.root = self.display.screen().root
        self.atom = self.display.intern_atom("GDK_VISUALS")

    def forget(self):
        self.root.delete_property(self.atom)
        self.display.sync()

    def present(self):
        return self.root.get_full_property(self.atom, 0) is not None


def against(a, b):
    """First-frame ratio and its two medians, and the memory difference:
    settled resident size where there is one, else peak."""
    memory = a.settled_mib - b.settled_mib if a.settled_mib is not None else a.first_mib - b.first_mib
    return a.first / b.first, memory


def gtk_figures(args):
    names = ["calc-gtk", "bare", "bare+pictures"]
    programs = [args.calc, args.bare, args.bare_pictures]
    cache = GlProbeCache()
    print("Settled: resident memory unchanged for 300 ms (polled every 2 ms), not before the first frame.")
    medians = compare(names, programs, args.runs, settle=True, before_each=cache.forget,
                      where="each as the first GTK program on the display (the bare windows load GL)")
    cache.forget()
    probed = compare(names, programs, args.runs, settle=True, where="after a GTK program probed GL on the display "
                     "(GDK_VISUALS cached: nobody loads GL)")
    if not cache.present():
        raise SystemExit("no GTK program left GDK_VISUALS on the root window: the second table is not what it says")
    calc, bare, pictured = (medians[n] for n in names)
    ratio, memory = against(calc, pictured)
    print(f"calc-gtk against bare+pictures, first on the display: first frame {ratio:.2f} x (target <= "
          f"{TARGET_RATIO:.2f}: {verdict(ratio <= TARGET_RATIO)}); settled memory {memory:+.1f} MiB (target <= "
          f"-{TARGET_LIGHTER_MIB:.0f}: {verdict(memory <= -TARGET_LIGHTER_MIB)}); settled at {calc.settled:.3f} s "
          f"against {pictured.settled:.3f} s (target: no later: {verdict(calc.settled <= pictured.settled)})")
    p_ratio, p_memory = against(probed["calc-gtk"], probed["bare+pictures"])
    print(f"calc-gtk against bare+pictures, GL probed before: first frame {p_ratio:.2f} x; settled memory "
          f"{p_memory:+.1f} MiB; settled at {probed['calc-gtk'].settled:.3f} s against "
          f"{probed['bare+pictures'].settled:.3f} s")

    press_ms, low, high, n, drawn_ms = press_figures(args.press)
    print(f"Press to report set in area 500: median {press_ms:.3f} ms (min {low:.3f}, max {high:.3f}, {n} presses; "
          f"target < {TARGET_PRESS_MS:.0f} ms: {verdict(press_ms < TARGET_PRESS_MS)}); "
          f"to the next frame drawn: median {drawn_ms:.1f} ms")
    if args.report_bench:
        ns, table = report_cost(args.report_bench)
        print("Building one report alone (Google Benchmark): " + (f"{ns / 1000:.2f} us" if ns else "?"))
        print("\n".join("  " + line for line in table.splitlines()))
    print(f"Price of the pictures (bare+pictures against bare): first frame {pictured.first - bare.first:+.3f} s, "
          f"settled {pictured.settled - bare.settled:+.3f} s, settled memory "
          f"{pictured.settled_mib - bare.settled_mib:+.1f} MiB")
    plain_ratio, plain_memory = against(calc, bare)
    print(f"startup calc-gtk/bare without pictures: {plain_ratio:.2f} ({calc.first:.3f} s / {bare.first:.3f} s), "
          f"memory {plain_memory:+.1f} MiB")
    print(f"startup calc-gtk/bare: {ratio:.2f} ({calc.first:.3f} s / {pictured.first:.3f} s), memory {memory:+.1f} MiB, "
          f"press->report: {press_ms:.3f} ms")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calc", required=True, help="the program's first-frame build")
    parser.add_argument("--bare", required=True, help="the bare window's first-frame build")
    parser.add_argument("--bare-pictures", help="calc-gtk: the bare window with the two images")
    parser.add_argument("--press", help="calc-gtk's press build; with it, the full calc-gtk figures")
    parser.add_argument("--report-bench")
    parser.add_argument("--wrapper", help="run both through this loader (wine)")
    parser.add_argument("--names", nargs=2, default=["calc-gtk", "bare"])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--where", help="what the programs run on, for the table's heading")
    args = parser.parse_args()

    if args.press:
        if not args.bare_pictures:
            parser.error("--press needs --bare-pictures")
        gtk_figures(args)
        return 0
    wrapper = [args.wrapper] if args.wrapper else []
    medians = compare(args.names, [args.calc, args.bare], args.runs, wrapper, where=args.where)
    ratio, extra = against(*(medians[n] for n in args.names))
    print(f"  ratio of medians {ratio:.2f}; extra peak memory {extra:+.1f} MiB")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    sys.exit(main())
