#!/usr/bin/env bash
# Re-records the autopilot's replay of each arcade stage: the autopilot plays the stage on
# normal with seed 7 into NAME.ovr, and the result line of playing that replay back becomes
# NAME.result. Run it from the repository, for every stage or for the ones named:
#     tests/replay/record.sh build [stage-one|stage-two|stage-three|stage-four|stage-five|true-fifth ...]
# (the hidden fifth stage is free play's choice one past the arcade's last stage)
set -eu
BUILD_DIR=${1:?usage: record.sh BUILD_DIR [NAME...]}
shift
HERE=$(cd "$(dirname "$0")" && pwd)
SIM="$BUILD_DIR/vortalis2-sim"
strip_timing() { sed -E 's/ (boss_worst_update_us|mean_update_us|worst_update_us)=[^ ]+//g'; }
# Each replay's name and the stage's index in the arcade list.
declare -A STAGES=([stage-one]=0 [stage-two]=1 [stage-three]=2 [stage-four]=3 [stage-five]=4 [true-fifth]=5)
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(stage-one stage-two stage-three stage-four stage-five true-fifth)
for name in "${names[@]}"; do
    stage=${STAGES[$name]:?"no stage is called $name"}
    "$SIM" --seed 7 --stage "$stage" --autopilot --record "$HERE/$name.ovr" 2>/dev/null >/dev/null
    line=$("$SIM" --replay "$HERE/$name.ovr" 2>/dev/null | strip_timing)
    {
        echo "# The result line of $name.ovr played back, timings aside."
        echo "$line"
    } > "$HERE/$name.result"
    echo "recorded $name: $line"
done
