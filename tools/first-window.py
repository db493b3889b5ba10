#!/usr/bin/env python3
"""Measures the time from the start of a program to its main window shown on
$DISPLAY, and its resident memory then and a few seconds later, for the game
and for a bare Qt Widgets window of the same size side by side.

    tools/first-window.py GAME BARE [RUNS] [SETTLE]

GAME is started with its own empty settings; BARE (the build's bare-window) is
given the game's window size. The runs alternate between the two; the medians
are printed, and the game's figures as multiples of and differences from the
bare window's.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def visible_window(pid, title):
    """The visible window of `pid` whose name holds `title`, or None."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True).stdout.split()
    for window in found:
        name = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True).stdout
        if title in name:
            return window
    return None


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def window_size(window):
    geometry = subprocess.run(["xdotool", "getwindowgeometry", window], capture_output=True, text=True).stdout
    for line in geometry.splitlines():
        if "Geometry:" in line:
            width, height = line.split()[-1].split("x")
            return int(width), int(height)
    return 0, 0


def run(command, title, settle):
    """Seconds to the first visible window, RSS (KiB) then and after `settle` seconds, the window's size."""
    with tempfile.TemporaryDirectory() as home:
        environment = dict(os.environ, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data")
        start = time.monotonic()
        process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = None
        while window is None and time.monotonic() - start < 30:
            window = visible_window(process.pid, title)
        shown = time.monotonic() - start
        first = resident_kib(process.pid)
        size = window_size(window) if window else (0, 0)
        time.sleep(settle)
        later = resident_kib(process.pid)
        process.terminate()
        process.wait()
        return shown, first, later, size


def main():
    game, bare = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    settle = float(sys.argv[4]) if len(sys.argv) > 4 else 5
    figures = {"game": [], "bare": []}
    size = None
    for _ in range(runs):
        result = run([game], "Jadeleaf - Velora", settle)
        size = size if size and size[0] > 0 else result[3]
        figures["game"].append(result)
        figures["bare"].append(run([bare, str(size[0]), str(size[1])], "Bare window", settle))
    medians = {}
    for name, results in figures.items():
        medians[name] = [statistics.median(r[i] for r in results) for i in range(3)]
        shown, first, later = medians[name]
        print(f"{name}: first window {shown * 1000:.0f} ms, RSS {first / 1024:.1f} MiB then, "
              f"{later / 1024:.1f} MiB after {settle:g} s  (median of {runs}; window {size[0]}x{size[1]})")
    game_figures, bare_figures = medians["game"], medians["bare"]
    print(f"game / bare: {game_figures[0] / bare_figures[0]:.2f}x the time to the first window, "
          f"{(game_figures[1] - bare_figures[1]) / 1024:+.1f} MiB RSS at it, "
          f"{(game_figures[2] - bare_figures[2]) / 1024:+.1f} MiB after {settle:g} s")


if __name__ == "__main__":
    main()
