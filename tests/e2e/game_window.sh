#!/usr/bin/env bash
# Runs the real game under a virtual X display (run it through own_display.sh):
#   1. the config dialog appears; keys choose debug on and press OK; the console shows the
#      start-up lines in order; the 800 x 600 window shows the title screen; the menus start
#      the first stage behind the load blocker; the mothership brings the ship in; the ship
#      moves and fires; pause holds the field still and resume lets it move; Escape ends the
#      game with 0.
#   2. Cancel in the dialog ends the program with 0 and opens no game window.
# (A missing package is package_missing.sh's.)
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: game_window.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

# ---- Run 1: debug on, OK, title, the stage, pause, Escape ----
cd "$GAME_DIR"
rm -rf profile
console=$OUT/console.txt
# The game image is 450 x 600, centred: x 175 to 625.
field=450x600+175+0
if launch "$console"; then
    # The logo's neon lies in the image's upper third, the start prompt near y 424.
    wait_until 60 "the title logo" bright_region "$game" "$OUT/title.png" 300x140+250+110 200 ||
        fail "no title logo"
    geometry=$(xdotool getwindowgeometry "$game" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "800x600" ] || fail "the game window is $geometry, not 800x600"
    [ "$(brightest "$OUT/title.png" 200x30+300+410)" -gt 180 ] || fail "no start prompt"
    near "$(pixel "$OUT/title.png" 100 300)" "0,0,0" || fail "the borders beside the game image are not black"
    # The highlight behind the prompt pulses: a later picture differs there.
    wait_until 20 "the selection highlight to pulse" picture_changed "$game" "$OUT/title.png" \
        "$OUT/title-later.png" 440x40+180+404 100 || fail "the selection highlight does not pulse"

    menu_to_stage "$game" "$console" 1 || fail "the menus did not lead to a stage"
    wait_line "$console" "START GAME SESSION, UNPAUSING MUSIC" || fail "start did not begin a stage"
    wait_line "$console" "HIDING LOAD BLOCKER" || fail "the load blocker never lifted"
    # The load blocker fades; the stage is there once the HUD's top line shows.
    wait_until 60 "the stage and its HUD to show" bright_region "$game" "$OUT/stage.png" 450x60+175+0 120 ||
        fail "the stage shows nothing"
    # The mothership brings the ship in: the field changes, then changes again.
    wait_until 60 "the mothership" picture_changed "$game" "$OUT/stage.png" "$OUT/mothership.png" \
        "$field" 500 || fail "the field does not move as the stage begins"
    wait_until 60 "the ship's launch" picture_changed "$game" "$OUT/mothership.png" \
        "$OUT/ship-launched.png" "$field" 500 || fail "the field does not move as the ship comes in"
    # Fly and fire: hold fire while sweeping left and right.
    xdotool keydown --window "$game" z 2>/dev/null
    hold "$game" Left 0.8
    import -window "$game" "$OUT/firing.png"
    hold "$game" Right 1.2
    hold "$game" Up 0.4
    wait_until 60 "the field to move during play" picture_changed "$game" "$OUT/ship-launched.png" \
        "$OUT/fighting.png" "$field" 500 || fail "the field does not move during play"
    xdotool keyup --window "$game" z 2>/dev/null

    # Pause holds the field still: two pictures half a second apart agree, and a third, a
    # second later, agrees with them.
    hold "$game" p
    wait_until 30 "the field to hold still after pause" picture_still "$game" "$OUT/paused.png" \
        "$field" 50 || fail "the field moves while paused"
    sleep 1  # the span the field must stay still over, not a wait for an event
    import -window "$game" "$OUT/paused-a-second-later.png"
    [ "$(changed_pixels "$OUT/paused.png" "$OUT/paused-a-second-later.png" "$field")" -lt 50 ] ||
        fail "the field moves while paused"
    hold "$game" p
    wait_until 60 "the field to move again after resume" picture_changed "$game" "$OUT/paused.png" \
        "$OUT/resumed.png" "$field" 200 || fail "the field does not move again after resume"
fi
escape_ends

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
    "LOADING BULLET MANAGER"
    "LOADING ENEMY MANAGER"
    "START GAME SESSION, UNPAUSING MUSIC"
    "HIDING LOAD BLOCKER"
    "STARTING GAME"
    "releasing console"
)
python3 - "$console" "${expected[@]}" <<'PY' || fail "the console lines are not all there in order (see $OUT/console.txt)"
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
dialog=$(wait_window "^Vortalis 2 Config$" 120) || fail "the config dialog did not appear for Cancel"
if [ -n "${dialog:-}" ]; then
    wait_drawn "$dialog" "$OUT/dialog-cancel.png" 120 || fail "the config dialog was never drawn for Cancel"
    send "$dialog" Tab Tab Tab Tab Tab Tab space
fi
if ! wait_exit "$pid"; then fail "Cancel did not end the program"; kill "$pid"; fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "Cancel ended with exit code $code"
grep -q "creating OpenGL Window" "$OUT/console-cancel.txt" && fail "Cancel still opened the game window"

if [ "$failures" = 0 ]; then echo "game window: all checks passed"; fi
exit $((failures > 0))
