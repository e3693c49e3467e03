#!/usr/bin/env bash
# orvale-pattern under a virtual X display (run it through own_display.sh): pictures
# of several fire patterns in flight, each a 320 x 480 field with bullets in
# it, and a clear error for a pattern that does not exist.
# The pictures are left in BUILD_DIR/e2e/patterns for a person to look at.
set -u
BUILD_DIR=${1:?usage: pattern_pictures.sh BUILD_DIR PATTERN...}
shift
OUT="$BUILD_DIR/e2e/patterns"
mkdir -p "$OUT"
export LIBGL_ALWAYS_SOFTWARE=1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for pattern in "$@"; do
    picture="$OUT/$pattern.png"
    rm -f "$picture"
    "$BUILD_DIR/orvale-pattern" "$pattern" 150 "$picture" || { fail "$pattern: exit code $?"; continue; }
    size=$(identify -format "%wx%h" "$picture" 2>/dev/null)
    [ "$size" = "320x480" ] || fail "$pattern: the picture is '$size', not 320x480"
    # Bullets are bright against the dark field.
    lit=$(convert "$picture" -colorspace gray -threshold 25% -format "%[fx:int(mean*w*h)]" info:)
    [ "$lit" -gt 150 ] || fail "$pattern: only $lit bright pixels; no bullets in the picture?"
done

message=$("$BUILD_DIR/orvale-pattern" no_such_pattern 10 "$OUT/none.png" 2>&1)
code=$?
[ "$code" = 1 ] || fail "an unknown pattern gave exit code $code"
case "$message" in
    *"no fire pattern named 'no_such_pattern'"*) ;;
    *) fail "an unknown pattern gave the message: $message" ;;
esac
[ -e "$OUT/none.png" ] && fail "an unknown pattern still wrote a picture"

if [ "$failures" = 0 ]; then echo "pattern pictures: all checks passed"; fi
exit $((failures > 0))
