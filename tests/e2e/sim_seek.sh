#!/usr/bin/env bash
# The headless runner's seek and take-over on a committed replay of the first stage:
# - --seek to frames that are multiples of 300 prints the state hash the replay's own check holds
#   there, and a seek past the end stops at the last frame with the hash of the last check;
# - --take-control hands the game to the autopilot, which plays on to a result line, and the
#   recording of that game plays back to the same line (replay=ok).
set -u
SIM=${1:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
PLIST=${2:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
REPLAY=${3:?usage: sim_seek.sh PATH_TO_vortalis2-sim PATH_TO_orvale-plist REPLAY.ovr}
fail() { echo "FAIL: $*"; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# "FRAME HASH" for each check the replay holds, the hash as 8 lower-case hex digits.
"$PLIST" dump "$REPLAY" >"$WORK/replay.json" || fail "the replay could not be read"
checks=$(python3 -c '
import json, sys
replay = json.load(open(sys.argv[1]))
for frame, value in replay["checks"]:
    print(frame, "%08x" % (value & 0xFFFFFFFF))
print("frames", replay["frames"])' "$WORK/replay.json") || fail "the replay has no checks"
frames=$(echo "$checks" | sed -n 's/^frames //p')
check_at() { echo "$checks" | awk -v f="$1" '$1 == f { print $2 }'; }

seek() {
    local line
    line=$("$SIM" --replay "$REPLAY" --seek "$1" 2>/dev/null) || fail "--seek $1: the runner failed: $line"
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
echo "sim: seeks reach the replay's checks, and a taken-over game plays on and back"
