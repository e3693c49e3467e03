#!/usr/bin/env bash
# Plays every committed replay (NAME.ovr) and compares the result line, timings
# aside, with NAME.result: stage-one.ovr to stage-five.ovr and true-fifth.ovr, the
# autopilot's games of each arcade stage and the hidden fifth, and the games recorded in the real
# program with real keys. Any change in what the
# game does with the same keys (a bullet's speed, an enemy's path, a scoring
# rule) changes a line, and the replay's state checks name the first frame
# that went otherwise (replay=desync frame=N).
#
# When such a change is intended, re-record the stages' replays with
#     tests/replay/record.sh build [NAME...]
# and the real program's games with tests/e2e/replay_recorded.sh (see there),
# and say in the commit why the replays were re-recorded.
#
# Each replay also names the content hash of the package it was played on
# (every property list's name and bytes), and a replay of other content is
# refused: after ANY change to a property list, every replay here is refused
# ("recorded on other content") until it is re-stamped or re-recorded. Run
#     tests/replay/stamp.py build
# It stamps the new hash into each replay whose result line is still its
# NAME.result when played on the new content, and names the others, which play
# otherwise now: re-record those as above (never edit a .result to match).
set -u
SIM=${1:?usage: check.sh PATH_TO_vortalis2-sim}
HERE=$(cd "$(dirname "$0")" && pwd)
strip_timing() { sed -E 's/ (boss_worst_update_us|mean_update_us|worst_update_us)=[^ ]+//g'; }
failed=0
for replay in "$HERE"/*.ovr; do
    name=$(basename "$replay" .ovr)
    expected=$(grep -v '^#' "$HERE/$name.result")
    actual=$("$SIM" --replay "$replay" 2>/dev/null | strip_timing) ||
        { echo "FAIL: $name: the replay did not run"; failed=1; continue; }
    echo "$name expected: $expected"
    echo "$name actual:   $actual"
    if [ "$actual" != "$expected" ]; then
        echo "FAIL: the replay $name gives a different result line."
        failed=1
    fi
done
if [ "$failed" != 0 ]; then
    echo "If the change is intended, re-record (see the head of this script)."
    exit 1
fi
echo "replay: every committed replay plays as recorded"
