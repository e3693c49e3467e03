#!/usr/bin/env bash
# Re-records the replay of the first stage: the autopilot plays it with seed 7,
# its key events become stage-one.input, and the result line of playing that
# input back becomes stage-one.result. Run it from the repository:
#     tests/replay/record.sh build
set -eu
BUILD_DIR=${1:?usage: record.sh BUILD_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
SIM="$BUILD_DIR/vortalis2-sim"
strip_timing() { sed -E 's/ mean_update_us=[^ ]+ worst_update_us=[^ ]+$//'; }
"$SIM" --seed 7 --autopilot --record "$HERE/stage-one.input" 2>/dev/null >/dev/null
line=$("$SIM" --seed 7 --input "$HERE/stage-one.input" 2>/dev/null | strip_timing)
{
    echo "# The result line of stage-one.input played with seed 7, timings aside."
    echo "$line"
} > "$HERE/stage-one.result"
echo "recorded: $line"
