#!/usr/bin/env bash
# Measures what a running game costs while it waits for the player: the CPU
# time (user + system, from /proc) that the process takes over a period, as a
# share of one core.
#   tools/idle-cost.sh GAME [SECONDS] [SETTLE]
# GAME is started on $DISPLAY with its own empty settings; the measurement
# starts SETTLE seconds later (default 10: the tiles are loaded and a game is
# dealt by then) and lasts SECONDS (default 60).
set -euo pipefail
game=$1
seconds=${2:-60}
settle=${3:-10}
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data "$game" &
pid=$!
sleep "$settle"
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "%d ticks of CPU in %.1f s: %.3f%% of a core\n", t, e - s, 100 * t / hz / (e - s) }'
