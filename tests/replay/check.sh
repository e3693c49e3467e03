#!/usr/bin/env bash
# Plays the committed replay of the first stage (stage-one.input, seed 7) and
# compares the result line, timings aside, with stage-one.result. Any change
# in what the stage does with the same input (a bullet's speed, an enemy's
# path, a scoring rule) changes the line and fails this test.
#
# When such a change is intended, re-record both files with
#     tests/replay/record.sh build
# and say in the commit why the replay was re-recorded.
set -u
SIM=${1:?usage: check.sh PATH_TO_vortalis2-sim}
HERE=$(cd "$(dirname "$0")" && pwd)
strip_timing() { sed -E 's/ mean_update_us=[^ ]+ worst_update_us=[^ ]+$//'; }
expected=$(grep -v '^#' "$HERE/stage-one.result")
actual=$("$SIM" --seed 7 --input "$HERE/stage-one.input" 2>/dev/null | strip_timing) ||
    { echo "FAIL: the replay did not run"; exit 1; }
echo "expected: $expected"
echo "actual:   $actual"
if [ "$actual" != "$expected" ]; then
    echo "FAIL: the replay of the first stage gives a different result line."
    echo "If the change is intended, re-record with: tests/replay/record.sh BUILD_DIR"
    exit 1
fi
echo "replay: the first stage plays as recorded"
