#!/usr/bin/env bash
# Re-records the replay of the first stage: the autopilot plays it with seed 7
# into stage-one.ovr, and the result line of playing that replay back becomes
# stage-one.result. Run it from the repository:
#     tests/replay/record.sh build
set -eu
BUILD_DIR=${1:?usage: record.sh BUILD_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
SIM="$BUILD_DIR/vortalis2-sim"
strip_timing() { sed -E 's/ (boss_worst_update_us|mean_update_us|worst_update_us)=[^ ]+//g'; }
"$SIM" --seed 7 --autopilot --record "$HERE/stage-one.ovr" 2>/dev/null >/dev/null
line=$("$SIM" --replay "$HERE/stage-one.ovr" 2>/dev/null | strip_timing)
{
    echo "# The result line of stage-one.ovr played back, timings aside."
    echo "$line"
} > "$HERE/stage-one.result"
echo "recorded: $line"
