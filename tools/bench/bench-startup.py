#!/usr/bin/env python3
"""Start-up benchmark: process start to first paint, the program beside a bare Qt window.

Runs each program RUNS times, alternating, on the X server in DISPLAY, and prints the medians of
the time from launch to the first window painted and flushed, of the processor time used by
then, and of the peak resident memory then. Where text-window lies beside the bare program, it
runs too: the bare window with a line in each of the start-up window's faces, Qt's own price for
showing text. The last line carries the bare program's time for run-benchmarks.sh.
Usage: bench-startup.py PROGRAM BARE_PROGRAM [RUNS]
"""
import os
import signal
import statistics
import subprocess
import sys
import time


def launch_to_first_paint(program):
    # The reporter lies beside the programs and is loaded into each of them alike.
    reporter = os.path.join(os.path.dirname(os.path.abspath(program)), "libsweltra-firstpaint.so")
    env = dict(os.environ, SWELTRA_BENCH_FIRST_PAINT="1", LD_PRELOAD=reporter)
    started = time.monotonic_ns()
    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    try:
        fields = proc.stdout.readline().split()
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait(timeout=10)
    if len(fields) != 4 or fields[0] != "first-paint":
        sys.exit(f"{program} reported no first paint")
    return (int(fields[1]) - started) / 1e6, int(fields[3]) / 1e3, int(fields[2]) / 1024


def main():
    program, bare = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    text = os.path.join(os.path.dirname(bare), "text-window")
    rows = [("bare Qt window", bare)]
    if os.access(text, os.X_OK):
        rows.append(("bare window with text", text))
    rows.append(("SweltraC start-up window", program))
    # One unmeasured launch each, so all start with warm caches.
    for _, name in rows:
        launch_to_first_paint(name)
    figures = {name: [] for _, name in rows}
    for _ in range(runs):
        for _, name in rows:
            figures[name].append(launch_to_first_paint(name))

    def median(name, column):
        return statistics.median(row[column] for row in figures[name])

    print(f"Start-up, launch to first paint, median of {runs} alternating runs")
    print(f"  {'':<26}{'wall ms':>9}{'cpu ms':>9}{'peak MB':>9}")
    for label, name in rows:
        print(f"  {label:<26}{median(name, 0):9.1f}{median(name, 1):9.1f}{median(name, 2):9.1f}")
    print(f"  ratio wall {median(program, 0) / median(bare, 0):.2f}, cpu {median(program, 1) / median(bare, 1):.2f}"
          " (goal: wall at most 1.30)")
    if text in figures:
        print(f"  the window with text against the bare one: wall {median(text, 0) / median(bare, 0):.2f},"
              f" cpu {median(text, 1) / median(bare, 1):.2f}; the program against the window with text:"
              f" wall {median(program, 0) / median(text, 0):.2f}")
    print(f"bare-start-ms {median(bare, 0):.3f}")


if __name__ == "__main__":
    main()
