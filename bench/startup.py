#!/usr/bin/python3
"""Start-up figures of a program against a bare window of its toolkit.

Runs inside one X server (bench/run starts it). Each program is started
several times, alternately; each run's probe notices the first complete
frame, prints a line and exits at once. Wall time is from just before the
spawn to that frame; peak resident memory is the child's ru_maxrss. With
--press (calc-gtk) it adds the press figures and, last, one summary line to
compare from run to run.
"""
import argparse
import os
import re
import select
import signal
import statistics
import subprocess
import sys
import time

TARGET_RATIO = 1.25
TARGET_EXTRA_MIB = 6.0
TARGET_PRESS_MS = 1.0


def child_env():
    env = dict(os.environ, NO_AT_BRIDGE="1", GSETTINGS_BACKEND="memory", LC_ALL="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    return env


def run_once(program, wrapper=(), timeout=60.0):
    """(seconds to the first frame, peak resident KiB) of one run. The probe
    prints its own CLOCK_MONOTONIC time where it can (GTK); otherwise (under
    Wine) the time its line arrives is taken."""
    start = time.monotonic_ns()
    proc = subprocess.Popen([*wrapper, program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL, env=child_env())
    out = b""
    deadline = time.monotonic() + timeout
    while b"\n" not in out and time.monotonic() < deadline:
        ready, _, _ = select.select([proc.stdout], [], [], 0.5)
        if ready:
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                break
            out += chunk
    arrived = time.monotonic_ns()
    if b"\n" not in out:
        proc.kill()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    proc.stdout.close()
    m = re.match(rb"first-frame(?:-ns (\d+))?", out)
    if not m:
        raise SystemExit(f"{program}: no first frame within {timeout:.0f} s (exit status {proc.returncode})")
    return ((int(m.group(1)) if m.group(1) else arrived) - start) / 1e9, usage.ru_maxrss


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
    """ns per monta_relatorio from Google Benchmark, and its table."""
    run = subprocess.run([program, "--benchmark_min_time=0.2"], capture_output=True, text=True, timeout=120)
    m = re.search(r"^BM_monta_relatorio/0\s+([\d.]+) ns", run.stdout, re.M)
    return (float(m.group(1)) if m else None), run.stdout.strip()


def verdict(ok):
    return "met" if ok else "MISSED"


def compare(names, programs, runs, wrapper=()):
    """Start-up of two programs, alternately: medians of seconds and MiB."""
    # One run of each first, not counted: it warms the disk cache and
    # fontconfig's cache for both alike.
    for program in programs:
        run_once(program, wrapper)
    times = {name: [] for name in names}
    rss = {name: [] for name in names}
    for _ in range(runs):
        for name, program in zip(names, programs):
            seconds, kib = run_once(program, wrapper)
            times[name].append(seconds)
            rss[name].append(kib / 1024.0)
    where = "Wine, one wineserver and Xvfb" if wrapper else "one Xvfb"
    print(f"Start-up to the first complete frame, {runs} runs each, alternately, {where}:")
    print(f"  {'program':<12} {'min s':>8} {'median s':>9} {'max s':>8}   {'peak RSS MiB (min/median/max)':>30}")
    for name in names:
        t, m = summary(times[name]), summary(rss[name])
        print(f"  {name:<12} {t[0]:8.3f} {t[1]:9.3f} {t[2]:8.3f}   {m[0]:9.1f} {m[1]:9.1f} {m[2]:9.1f}")
    a_s, b_s = (statistics.median(times[n]) for n in names)
    extra = statistics.median(rss[names[0]]) - statistics.median(rss[names[1]])
    return a_s, b_s, extra


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calc", required=True, help="the program's first-frame build")
    parser.add_argument("--bare", required=True, help="the bare window's first-frame build")
    parser.add_argument("--press", help="calc-gtk's press build; with it, the full calc-gtk figures")
    parser.add_argument("--report-bench")
    parser.add_argument("--wrapper", help="run both through this loader (wine)")
    parser.add_argument("--names", nargs=2, default=["calc-gtk", "bare"])
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    wrapper = [args.wrapper] if args.wrapper else []
    calc_s, bare_s, extra = compare(args.names, [args.calc, args.bare], args.runs, wrapper)
    ratio = calc_s / bare_s
    if not args.press:
        print(f"  ratio of medians {ratio:.2f}; extra peak memory {extra:+.1f} MiB")
        return 0
    print(f"  ratio of medians {ratio:.2f} (target <= {TARGET_RATIO:.2f}: {verdict(ratio <= TARGET_RATIO)}); "
          f"extra peak memory {extra:+.1f} MiB (target <= +{TARGET_EXTRA_MIB:.0f} MiB: "
          f"{verdict(extra <= TARGET_EXTRA_MIB)})")

    press_ms, low, high, n, drawn_ms = press_figures(args.press)
    print(f"Press to report set in area 500: median {press_ms:.3f} ms (min {low:.3f}, max {high:.3f}, {n} presses; "
          f"target < {TARGET_PRESS_MS:.0f} ms: {verdict(press_ms < TARGET_PRESS_MS)}); "
          f"to the next frame drawn: median {drawn_ms:.1f} ms")
    if args.report_bench:
        ns, table = report_cost(args.report_bench)
        print("Building one report alone (Google Benchmark): " + (f"{ns / 1000:.2f} us" if ns else "?"))
        print("\n".join("  " + line for line in table.splitlines()))
    print(f"startup calc-gtk/bare: {ratio:.2f} ({calc_s:.3f} s / {bare_s:.3f} s), memory {extra:+.1f} MiB, "
          f"press->report: {press_ms:.3f} ms")
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    sys.exit(main())
