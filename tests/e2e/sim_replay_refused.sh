#!/usr/bin/env bash
# The runner refuses a replay it must not play, with one line on standard error and exit status
# 1, and plays nothing: one of other rules, one of other content, one from before replays named
# their content, and one cut short, each made from a committed replay.
set -u
SIM=${1:?usage: sim_replay_refused.sh PATH_TO_vortalis2-sim REPLAY}
SOURCE=${2:?usage: sim_replay_refused.sh PATH_TO_vortalis2-sim REPLAY}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
here=$("$SIM" --content-hash) || { echo "FAIL: --content-hash did not run"; exit 1; }
variant() {  # name, then python that changes the replay's dictionary `r`
    python3 - "$SOURCE" "$WORK/$1.ovr" "$2" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    r = plistlib.load(f)
exec(sys.argv[3])
with open(sys.argv[2], "wb") as f:
    plistlib.dump(r, f, fmt=plistlib.FMT_BINARY)
PY
}
variant rules 'r["rules"] = 999'
variant content 'r["content"] = "0123456789abcdef"'
variant unnamed 'del r["content"]'
head -c 200 "$SOURCE" > "$WORK/cut.ovr"
failed=0
expect() {  # name, the reason the line must give (a prefix for the damaged one)
    local file="$WORK/$1.ovr" out err status
    out=$("$SIM" --replay "$file" 2> "$WORK/err"); status=$?
    err=$(grep "^REPLAY REFUSED: " "$WORK/err")
    echo "$1: status $status: $err"
    if [ "$status" != 1 ] || [ -n "$out" ]; then
        echo "FAIL: $1: expected exit status 1 and no result line, got $status and '$out'"; failed=1
    fi
    case "$err" in
        "REPLAY REFUSED: $file: $2"*) ;;
        *) echo "FAIL: $1: expected 'REPLAY REFUSED: $file: $2'"; failed=1 ;;
    esac
}
expect rules "recorded under rules 999, this game plays rules "
expect content "recorded on other content (package 0123456789abcdef, this one $here)"
expect unnamed "recorded before replays named their content"
expect cut "not a property list"
[ "$failed" = 0 ] && echo "sim: every foreign or damaged replay refused"
exit $failed
