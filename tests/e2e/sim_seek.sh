#!/usr/bin/env bash
# The headless runner's seek and take-over on a committed replay of the first stage:
# - --seek to frames that are multiples of 300 prints the state hash the replay's own check holds
#   there, and a seek past the end stops at the last frame with the hash of the last check;
# - --take-control hands the game to the autopilot, which plays on to a result line, and the
#   recording of that game plays back to the same line (replay=ok);
# - a whole game the autopilot recorded plays back through its first stage's end and summary, and
#   a seek into its second stage reaches the state its check holds there.
set -u
SIM=${1:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
PLIST=${2:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
REPLAY=${3:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
fail() { echo "FAIL: $*"; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# "FRAME HASH" for each check the replay in $1 holds, the hash as 8 lower-case hex digits.
read_checks() {
    "$PLIST" dump "$1" >"$WORK/replay.json" || fail "the replay $1 could not be read"
    python3 -c '
import json, sys
replay = json.load(open(sys.argv[1]))
for frame, value in replay["checks"]:
    print(frame, "%08x" % (value & 0xFFFFFFFF))
print("frames", replay["frames"])' "$WORK/replay.json" || fail "the replay $1 has no checks"
}
checks=$(read_checks "$REPLAY")
frames=$(echo "$checks" | sed -n 's/^frames //p')
check_at() { echo "$checks" | awk -v f="$1" '$1 == f { print $2 }'; }

seek() {
    local line
    line=$("$SIM" --replay "${2:-$REPLAY}" --seek "$1" 2>/dev/null) || fail "--seek $1: the runner failed: $line"
    echo "$line" >&2
    echo "$line"
}
for frame in 300 3000 600 $(( (frames / 300) * 300 )); do
    line=$(seek "$frame")
    expected="seek_frame=$frame hash=$(check_at "$frame") "
    case "$line" in
        "$expected"*) ;;
        *) fail "--seek $frame gives \"$line\", the replay's check says \"$expected\"" ;;
    esac
done
line=$(seek 9999999)
case "$line" in
    "seek_frame=$frames hash=$(check_at "$frames") "*) ;;
    *) fail "a seek past the end should stop at the last frame, $frames, with its check: $line" ;;
esac

taken=$("$SIM" --replay "$REPLAY" --take-control 3000 --autopilot --record "$WORK/taken.ovr" 2>/dev/null) ||
    fail "--take-control: the runner failed: $taken"
echo "$taken"
echo "$taken" | grep -qE '^result=(clear|gameover|timeout) frames=[1-9]' || fail "--take-control gave no result line"
played=$("$SIM" --replay "$WORK/taken.ovr" 2>/dev/null) || fail "the taken-over game's recording did not play"
echo "$played"
echo "$played" | grep -q ' replay=ok$' || fail "the taken-over game's recording plays otherwise: $played"
# Easy arcade with seed 7 clears the first stage at about frame 21500.
"$SIM" --arcade --difficulty easy --seed 7 --autopilot --max-frames 23000 --record "$WORK/arcade.ovr" \
    >/dev/null 2>&1 || fail "the autopilot's arcade game could not be recorded"
checks=$(read_checks "$WORK/arcade.ovr")
[ "$(echo "$checks" | sed -n 's/^frames //p')" = 23000 ] || fail "the arcade game ended before its second stage"
line=$(seek 22800 "$WORK/arcade.ovr")
case "$line" in
    "seek_frame=22800 hash=$(check_at 22800) "*) ;;
    *) fail "a seek into the arcade game's second stage gives \"$line\", its check says $(check_at 22800)" ;;
esac
echo "sim: seeks reach the replays' checks, across a stage's end too, and a taken-over game plays on and back"
