#!/usr/bin/env bash
# How much of a core the real game's main thread uses over ten seconds of the
# idle title screen. Run under xvfb-run: tests/bench/game_main_thread_cpu.sh build
set -eu
cd "${1:?usage: game_main_thread_cpu.sh BUILD_DIR}"
export LIBGL_ALWAYS_SOFTWARE=1
./vortalis2 > /dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
    dialog=$(xdotool search --name "^Vortalis 2 Config$" 2>/dev/null | head -n 1) && [ -n "$dialog" ] && break
    sleep 0.1
done
xdotool key --window "$dialog" Return 2>/dev/null
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/task/$pid/stat"; }
all_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks); before_all=$(all_ticks)
sleep 10
after=$(ticks); after_all=$(all_ticks)
hz=$(getconf CLK_TCK)
kill "$pid"
echo "main thread: $(echo "scale=3; ($after - $before) / $hz / 10" | bc) of a core"
echo "whole process (renderer threads included): $(echo "scale=3; ($after_all - $before_all) / $hz / 10" | bc) of a core"
