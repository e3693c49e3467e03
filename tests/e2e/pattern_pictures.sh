#!/usr/bin/env bash
# orvale-pattern under a virtual X display (run it through own_display.sh): pictures
# of several fire patterns in flight, each a 320 x 480 field with bullets in
# it, one drawn with a later stage's bullet atlas, and clear errors for a
# pattern or an atlas that does not exist.
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

# A later stage's atlas draws the same pattern; an atlas the package lacks is refused by name.
pattern=$1
"$BUILD_DIR/orvale-pattern" --atlas atlas_bullets_4 "$pattern" 150 "$OUT/${pattern}_atlas_4.png" ||
    fail "$pattern with atlas_bullets_4: exit code $?"
lit=$(convert "$OUT/${pattern}_atlas_4.png" -colorspace gray -threshold 25% -format "%[fx:int(mean*w*h)]" info:)
[ "${lit:-0}" -gt 150 ] || fail "$pattern with atlas_bullets_4: only ${lit:-0} bright pixels"
message=$("$BUILD_DIR/orvale-pattern" --atlas atlas_no_such "$pattern" 10 "$OUT/none.png" 2>&1)
code=$?
[ "$code" = 1 ] || fail "an unknown atlas gave exit code $code"
case "$message" in
    *"no bullet atlas named 'atlas_no_such'"*) ;;
    *) fail "an unknown atlas gave the message: $message" ;;
esac
[ -e "$OUT/none.png" ] && fail "an unknown atlas still wrote a picture"

if [ "$failures" = 0 ]; then echo "pattern pictures: all checks passed"; fi
exit $((failures > 0))
