#!/usr/bin/env bash
# Measures what a running game costs while it waits for the player: the CPU
# time (user + system) that the process takes over a period, as a share of one
# core.
#   tools/idle-cost.sh GAME [SECONDS] [SETTLE] [game|nogame]
# GAME is started on $DISPLAY with its own empty settings; the measurement
# starts SETTLE seconds later (default 10: the tiles are loaded and a game is
# dealt by then) and lasts SECONDS (default 60). With "nogame" the dealt game
# is ended first (Game | Finish game, Yes, then OK on the results; needs
# xdotool) and the measurement starts SETTLE seconds after that.
# Two figures: the 10 ms ticks of /proc/PID/stat, and the scheduler's own
# nanosecond sum over all threads (/proc/PID/task/*/schedstat), which sees
# costs far below one tick a minute.
set -euo pipefail
game=$1
seconds=${2:-60}
settle=${3:-10}
mode=${4:-game}
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data "$game" 2>/dev/null &
pid=$!
sleep "$settle"
if [ "$mode" = nogame ]; then
    window=$(xdotool search --sync --pid "$pid" --name 'Jadeleaf - Velora Edition' | head -1)
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers alt+g
    sleep 0.5
    xdotool key f
    sleep 1
    xdotool key y
    sleep 2
    xdotool key Return
    sleep "$settle"
fi
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# One line a thread: its id and its CPU time so far in nanoseconds.
threads() { for task in /proc/"$pid"/task/*; do echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null)"; done; }
hz=$(getconf CLK_TCK)
before=$(ticks)
threads >"$home/before"
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
threads >"$home/after"
end=$(date +%s.%N)
# A thread that ended meanwhile takes its time with it; one that began counts whole.
ns=$(awk 'NR == FNR { was[$1] = $2; next } $2 != "" { s += $2 - was[$1] } END { printf "%d\n", s }' "$home/before" "$home/after")
awk -v t=$((after - before)) -v hz="$hz" -v ns="$ns" -v s="$start" -v e="$end" -v mode="$mode" \
    'BEGIN { printf "%s: %d ticks of CPU in %.1f s: %.3f%% of a core; scheduler: %.2f ms, %.4f%% of a core\n",
             mode, t, e - s, 100 * t / hz / (e - s), ns / 1e6, 100 * ns / 1e9 / (e - s) }'
