#!/usr/bin/env bash
# Runs the real game under a virtual X display (run it through own_display.sh):
#   1. the config dialog appears; keys choose debug on and press OK; the console
#      shows the start-up lines in order; the 800 x 600 window shows the title
#      screen; start begins the first stage; Escape ends the game with 0.
#   2. Cancel in the dialog ends the program with 0 and opens no game window.
# (A missing package is package_missing.sh's.)
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: game_window.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

# ---- Run 1: debug on, OK, title, slide, Escape ----
cd "$GAME_DIR"
rm -rf profile
./vortalis2 > "$OUT/console.txt" 2>&1 &
pid=$!
dialog=$(wait_window "^Vortalis 2 Config$") || fail "the config dialog did not appear"
if [ -n "${dialog:-}" ]; then
    wait_drawn "$dialog" "$OUT/dialog.png" || fail "the config dialog was never drawn"
    send "$dialog" Tab Tab Tab Tab space
    import -window "$dialog" "$OUT/dialog-debug-on.png"
    send "$dialog" Return
fi
game=$(wait_window "^VORTALIS 2$") || fail "the game window did not appear"
if [ -n "${game:-}" ]; then
    # The game image is 450 x 600, centred: x 175 to 625. The logo's neon
    # lies in its upper third, the start prompt near y 424.
    wait_until 60 "the title logo" bright_region "$game" "$OUT/title.png" 300x140+250+110 200 ||
        fail "no title logo"
    geometry=$(xdotool getwindowgeometry "$game" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "800x600" ] || fail "the game window is $geometry, not 800x600"
    [ "$(brightest "$OUT/title.png" 200x30+300+410)" -gt 180 ] || fail "no start prompt"
    near "$(pixel "$OUT/title.png" 100 300)" "0,0,0" || fail "the borders beside the game image are not black"
    # The highlight behind the prompt pulses: a later picture differs there.
    wait_until 20 "the selection highlight to pulse" picture_changed "$game" "$OUT/title.png" \
        "$OUT/title-later.png" 440x40+180+404 100 || fail "the selection highlight does not pulse"
    # The menus launch the first stage behind the load blocker.
    menu_to_stage "$game" "$OUT/console.txt" 1 || fail "the menus did not lead to a stage"
    wait_line "$OUT/console.txt" "START GAME SESSION, UNPAUSING MUSIC" || fail "start did not begin a stage"
    import -window "$game" "$OUT/after-start.png"
    escape "$game"
fi
if ! wait_exit "$pid"; then
    fail "Escape did not end the game"
    kill "$pid"
fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "the game ended with exit code $code"

# The package is mounted before the window opens, so a missing one is told in a box that stands
# alone; its line therefore comes before the window's.
expected=(
    "Asking for fullscreen."
    "asset package mount successful."
    "creating OpenGL Window"
    "registering class"
    "Adjusting window size"
    "create window"
    "window width: 800"
    "window height: 600"
    "get device context"
    "get pixel format"
    "set pixel format"
    "get render context"
    "activate render context"
    "-------------------------"
    "ORVALE 2.0 Debug Console"
    "-------------------------"
    "set current working directory"
    "current working directory:$(pwd -P)"
    "screen dimensions: 800, 600"
    "scene dimensions: 768, 1024"
    "touch dimensions: 450, 600"
    "Setting up GFX manager."
    "Loading title screen"
    "Loading main screen"
    "Loading bonus screen"
    "Loading mode select screen"
    "Loading stage select screen"
    "Loading difficulty screen"
    "Loading tutorial screen"
    "Loading hanger screen"
    "Loading highscore screen"
    "Loading option screen"
    "Loading option control screen"
    "Loading credits screen"
    "Loading results screen"
    "Loading fighter select screen"
    "releasing console"
)
python3 - "$OUT/console.txt" "${expected[@]}" <<'PY' || fail "the console lines are not all there in order (see $OUT/console.txt)"
import sys
lines = open(sys.argv[1], encoding="utf-8", errors="replace").read().splitlines()
at = 0
for wanted in sys.argv[2:]:
    while at < len(lines) and lines[at] != wanted:
        at += 1
    if at == len(lines):
        print("missing, or out of order:", repr(wanted))
        sys.exit(1)
    at += 1
PY

# ---- Run 2: Cancel ----
./vortalis2 > "$OUT/console-cancel.txt" 2>&1 &
pid=$!
dialog=$(wait_window "^Vortalis 2 Config$") || fail "the config dialog did not appear for Cancel"
if [ -n "${dialog:-}" ]; then
    wait_drawn "$dialog" "$OUT/dialog-cancel.png" || fail "the config dialog was never drawn for Cancel"
    send "$dialog" Tab Tab Tab Tab Tab Tab space
fi
if ! wait_exit "$pid"; then fail "Cancel did not end the program"; kill "$pid"; fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "Cancel ended with exit code $code"
grep -q "creating OpenGL Window" "$OUT/console-cancel.txt" && fail "Cancel still opened the game window"

if [ "$failures" = 0 ]; then echo "game window: all checks passed"; fi
exit $((failures > 0))
