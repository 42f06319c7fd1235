#!/usr/bin/python3
"""Start-up and press figures of calc-gtk against a bare GTK window.

Runs inside one X server (bench/run starts a private Xvfb). Each program is
started several times, alternately; each run prints the CLOCK_MONOTONIC time
of its first complete frame and exits at once. Wall time is from just
before the spawn to that frame; peak resident memory is the child's
ru_maxrss. Prints a table and, last, one summary line to compare run to run.
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


def run_once(program, timeout=30.0):
    """(seconds to the first frame, peak resident KiB) of one run."""
    start = time.monotonic_ns()
    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
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
    if b"\n" not in out:
        proc.kill()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    proc.stdout.close()
    m = re.match(rb"first-frame-ns (\d+)", out)
    if not m:
        raise SystemExit(f"{program}: no first frame within {timeout:.0f} s (exit status {proc.returncode})")
    return (int(m.group(1)) - start) / 1e9, usage.ru_maxrss


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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calc", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--press", required=True)
    parser.add_argument("--report-bench")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    # One run of each first, not counted: it warms the disk cache and
    # fontconfig's cache for both alike.
    run_once(args.calc)
    run_once(args.bare)
    times = {"calc-gtk": [], "bare": []}
    rss = {"calc-gtk": [], "bare": []}
    for _ in range(args.runs):
        for name, program in (("calc-gtk", args.calc), ("bare", args.bare)):
            seconds, kib = run_once(program)
            times[name].append(seconds)
            rss[name].append(kib / 1024.0)

    print(f"Start-up to the first complete frame, {args.runs} runs each, alternately, one Xvfb:")
    print(f"  {'program':<10} {'min s':>8} {'median s':>9} {'max s':>8}   {'peak RSS MiB (min/median/max)':>30}")
    for name in times:
        t, m = summary(times[name]), summary(rss[name])
        print(f"  {name:<10} {t[0]:8.3f} {t[1]:9.3f} {t[2]:8.3f}   {m[0]:9.1f} {m[1]:9.1f} {m[2]:9.1f}")
    calc_s, bare_s = statistics.median(times["calc-gtk"]), statistics.median(times["bare"])
    ratio = calc_s / bare_s
    extra = statistics.median(rss["calc-gtk"]) - statistics.median(rss["bare"])
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
