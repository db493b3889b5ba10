#!/usr/bin/env python3
"""Measures the time from the start of a program to its main window shown on
$DISPLAY, and its resident memory then and a few seconds later, for the game
and for a bare Qt Widgets window of the same size side by side.

    tools/first-window.py [--settings] GAME BARE [RUNS] [SETTLE]

GAME is started with its own empty settings, a first start; with --settings it
is started once beforehand in the same place, so that every measured start
reads the settings file that first start wrote, as a player's usual start does.
BARE (the build's bare-window) is given the game's window size. The runs
alternate between the two; the medians are printed, and the game's figures as
multiples of and differences from the bare window's.

The moment a window is shown is the moment the X server maps it, as the
build's window-shown (next to BARE) sees it; without that helper the script
falls back to polling xdotool, which adds several milliseconds of its own.
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


def wait_by_polling(process, title, start):
    """The window's id and the moment it was seen, polling xdotool."""
    window = None
    while window is None and time.monotonic() - start < 30:
        window = visible_window(process.pid, title)
    return window, time.monotonic()


def wait_by_listening(listener):
    """The window's id and the moment the server mapped it, as window-shown reports them."""
    line = listener.stdout.readline().split()
    listener.wait()
    if len(line) != 2:
        return None, time.monotonic()
    return str(int(line[1], 16)), float(line[0])


def run(command, title, settle, home, helper):
    """Seconds to the first visible window, RSS (KiB) then and after `settle` seconds, the window's size."""
    environment = dict(os.environ, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data")
    listener = None
    if helper:
        listener = subprocess.Popen([helper, title, "30"], stdout=subprocess.PIPE, text=True)
        if listener.stdout.readline().strip() != "ready":
            # It could not reach the display this time: poll for this run.
            listener.wait()
            listener = None
    start = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window, seen = wait_by_listening(listener) if listener else wait_by_polling(process, title, start)
    shown = seen - start
    first = resident_kib(process.pid)
    size = window_size(window) if window else (0, 0)
    time.sleep(settle)
    later = resident_kib(process.pid)
    process.terminate()
    process.wait()
    return shown, first, later, size


def run_in_home(command, title, settle, helper, usual_start):
    """One run in a home of its own; for a usual start, after a first start there has written the settings.
    The bare window is started twice as well, so that neither program starts on a machine idle for longer."""
    with tempfile.TemporaryDirectory() as home:
        if usual_start:
            run(command, title, 0, home, helper)
        return run(command, title, settle, home, helper)


def main():
    arguments = sys.argv[1:]
    usual_start = "--settings" in arguments
    arguments = [a for a in arguments if a != "--settings"]
    game, bare = arguments[0], arguments[1]
    runs = int(arguments[2]) if len(arguments) > 2 else 5
    settle = float(arguments[3]) if len(arguments) > 3 else 5
    helper = os.path.join(os.path.dirname(os.path.abspath(bare)), "window-shown")
    helper = helper if os.access(helper, os.X_OK) else None
    print(f"{'usual start, settings present' if usual_start else 'first start, empty settings'}; "
          f"window shown {'when mapped (window-shown)' if helper else 'when xdotool sees it'}")
    figures = {"game": [], "bare": []}
    size = None
    for _ in range(runs):
        result = run_in_home([game], "Jadeleaf - Velora", settle, helper, usual_start)
        size = size if size and size[0] > 0 else result[3]
        figures["game"].append(result)
        figures["bare"].append(run_in_home([bare, str(size[0]), str(size[1])], "Bare window", settle, helper, usual_start))
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
