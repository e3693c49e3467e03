#!/usr/bin/env bash
# Plays the start of the first stage in the real game under a virtual X
# display (run it through own_display.sh), with real key presses:
#   title -> the menus (arcade, normal play and difficulty) -> the stage loads behind the load blocker -> the
#   mothership brings the ship in -> enemies arrive -> the ship moves and
#   fires -> pause holds the field still -> resume lets it move -> Escape.
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: stage_play.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-stage}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

cd "$GAME_DIR"
rm -rf profile
./vortalis2 > "$OUT/console.txt" 2>&1 &
pid=$!
dialog=$(wait_window "^Vortalis 2 Config$") || fail "the config dialog did not appear"
if [ -n "${dialog:-}" ]; then
    wait_drawn "$dialog" "$OUT/0-dialog.png" || fail "the config dialog was never drawn"
    send "$dialog" Tab Tab Tab Tab space Return
fi
game=$(wait_window "^VORTALIS 2$") || fail "the game window did not appear"
# The game image is 450 x 600 in the 800 x 600 window: x 175 to 625.
field=450x600+175+0
if [ -n "${game:-}" ]; then
    wait_until 60 "the title screen" bright_region "$game" "$OUT/1-title.png" 300x140+250+110 200 ||
        fail "no title screen"
    menu_to_stage "$game" "$OUT/console.txt" 1 || fail "the menus did not lead to a stage"
    wait_line "$OUT/console.txt" "LOADING BULLET MANAGER" || fail "start did not load a stage"
    import -window "$game" "$OUT/2-loading.png"
    wait_line "$OUT/console.txt" "HIDING LOAD BLOCKER" || fail "the load blocker never lifted"
    # The load blocker fades; the stage is there once the HUD's top line shows.
    wait_until 60 "the stage and its HUD to show" bright_region "$game" "$OUT/3-stage.png" 450x60+175+0 120 ||
        fail "the stage shows nothing"
    [ "$(brightest "$OUT/3-stage.png" "$field")" -gt 120 ] || fail "the stage shows nothing"
    # The mothership brings the ship in: the field changes, then changes again.
    wait_until 60 "the mothership" picture_changed "$game" "$OUT/3-stage.png" "$OUT/4-mothership.png" \
        "$field" 500 || fail "the field does not move as the stage begins"
    wait_until 60 "the ship's launch" picture_changed "$game" "$OUT/4-mothership.png" \
        "$OUT/5-ship-launched.png" "$field" 500 || fail "the field does not move as the ship comes in"
    # Fly and fire: hold fire while sweeping left and right.
    xdotool keydown --window "$game" z 2>/dev/null
    hold "$game" Left 0.8
    import -window "$game" "$OUT/6-firing.png"
    hold "$game" Right 1.2
    hold "$game" Up 0.4
    wait_until 60 "the field to move during play" picture_changed "$game" "$OUT/5-ship-launched.png" \
        "$OUT/7-fighting.png" "$field" 500 || fail "the field does not move during play"
    xdotool keyup --window "$game" z 2>/dev/null

    # Pause holds the field still: two pictures half a second apart agree, and
    # a third, a second later, agrees with them.
    hold "$game" p
    wait_until 30 "the field to hold still after pause" picture_still "$game" "$OUT/8-paused.png" \
        "$field" 50 || fail "the field moves while paused"
    sleep 1  # the span the field must stay still over, not a wait for an event
    import -window "$game" "$OUT/8-paused-a-second-later.png"
    [ "$(changed_pixels "$OUT/8-paused.png" "$OUT/8-paused-a-second-later.png" "$field")" -lt 50 ] ||
        fail "the field moves while paused"
    hold "$game" p
    wait_until 60 "the field to move again after resume" picture_changed "$game" "$OUT/8-paused.png" \
        "$OUT/9-resumed.png" "$field" 200 || fail "the field does not move again after resume"
    wait_until 60 "the field to go on moving after resume" picture_changed "$game" "$OUT/9-resumed.png" \
        "$OUT/9-resumed-later.png" "$field" 200 || fail "the field does not move again after resume"

    escape "$game"
fi
if ! wait_exit "$pid"; then fail "Escape did not end the game"; kill "$pid"; fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "the game ended with exit code $code"

for line in "LOADING BULLET MANAGER" "LOADING ENEMY MANAGER" "START GAME SESSION, UNPAUSING MUSIC" \
            "HIDING LOAD BLOCKER" "STARTING GAME"; do
    grep -qx "$line" "$OUT/console.txt" || fail "the console lacks \"$line\" (see $OUT/console.txt)"
done

if [ "$failures" = 0 ]; then echo "stage play: all checks passed"; fi
exit $((failures > 0))
