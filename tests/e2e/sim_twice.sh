#!/usr/bin/env bash
# Plays the first stage twice with the headless runner's autopilot and the
# same seed: both runs must end (clear or game over, not a time-out) with the
# same result line, the two timing figures aside.
set -u
SIM=${1:?usage: sim_twice.sh PATH_TO_vortalis2-sim [SEED]}
SEED=${2:-7}
strip_timing() { sed -E 's/ boss_worst_update_us=[^ ]+ mean_update_us=[^ ]+ worst_update_us=[^ ]+$//'; }
first=$("$SIM" --seed "$SEED" --autopilot 2>/dev/null) || { echo "FAIL: the first run failed"; exit 1; }
second=$("$SIM" --seed "$SEED" --autopilot 2>/dev/null) || { echo "FAIL: the second run failed"; exit 1; }
echo "$first"
echo "$second"
case "$first" in
    result=clear*|result=gameover*) ;;
    *) echo "FAIL: the stage did not end: $first"; exit 1 ;;
esac
if [ "$(echo "$first" | strip_timing)" != "$(echo "$second" | strip_timing)" ]; then
    echo "FAIL: two runs with seed $SEED differ"
    exit 1
fi
# Explosions, grazes and the engines put particles and trails on screen.
case "$first" in
    *" peak_particles=0 "*|*" peak_trails=0 "*) echo "FAIL: no particles or no trails: $first"; exit 1 ;;
esac
# Destroyed wave enemies drop orbs: the beam gauge has the counter ready within the stage's
# first minute (bullets cancelled later, by the gunships and bosses, would fill it far later).
ready=$(echo "$first" | sed -nE 's/.* beam_ready_ms=(-?[0-9]+) .*/\1/p')
if [ -z "$ready" ] || [ "$ready" -lt 0 ] || [ "$ready" -gt 60000 ]; then
    echo "FAIL: the counter was not ready within the first minute: $first"
    exit 1
fi
echo "sim: both runs agree"
