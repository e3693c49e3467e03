#!/usr/bin/env bash
# Plays the start of the first stage in the real game under a virtual X
# display (run it through xvfb-run), with real key presses:
#   title -> start -> the stage loads behind the load blocker -> the
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
    sleep 0.5
    send "$dialog" Tab Tab Tab Tab space Return
fi
game=$(wait_window "^VORTALIS 2$") || fail "the game window did not appear"
# The game image is 450 x 600 in the 800 x 600 window: x 175 to 625.
field=450x600+175+0
if [ -n "${game:-}" ]; then
    sleep 1.5
    import -window "$game" "$OUT/1-title.png"
    hold "$game" z
    sleep 0.3
    import -window "$game" "$OUT/2-loading.png"
    sleep 2.5
    import -window "$game" "$OUT/3-stage.png"
    [ "$(brightest "$OUT/3-stage.png" "$field")" -gt 120 ] || fail "the stage shows nothing"
    sleep 2.5
    import -window "$game" "$OUT/4-mothership.png"
    sleep 3
    import -window "$game" "$OUT/5-ship-launched.png"
    # Fly and fire: hold fire while sweeping left and right.
    xdotool keydown --window "$game" z 2>/dev/null
    hold "$game" Left 0.8
    import -window "$game" "$OUT/6-firing.png"
    hold "$game" Right 1.2
    hold "$game" Up 0.4
    sleep 2
    import -window "$game" "$OUT/7-fighting.png"
    xdotool keyup --window "$game" z 2>/dev/null
    sleep 0.2
    [ "$(changed_pixels "$OUT/5-ship-launched.png" "$OUT/7-fighting.png" "$field")" -gt 500 ] ||
        fail "the field does not move during play"

    hold "$game" p
    sleep 0.5
    import -window "$game" "$OUT/8-paused.png"
    sleep 1
    import -window "$game" "$OUT/8-paused-a-second-later.png"
    [ "$(changed_pixels "$OUT/8-paused.png" "$OUT/8-paused-a-second-later.png" "$field")" -lt 50 ] ||
        fail "the field moves while paused"
    hold "$game" p
    sleep 3.5
    import -window "$game" "$OUT/9-resumed.png"
    sleep 0.7
    import -window "$game" "$OUT/9-resumed-later.png"
    [ "$(changed_pixels "$OUT/9-resumed.png" "$OUT/9-resumed-later.png" "$field")" -gt 200 ] ||
        fail "the field does not move again after resume"

    xdotool keydown --window "$game" Escape 2>/dev/null; sleep 0.3; xdotool keyup --window "$game" Escape 2>/dev/null
fi
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "Escape did not end the game"; kill "$pid"; fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "the game ended with exit code $code"

for line in "LOADING BULLET MANAGER" "LOADING ENEMY MANAGER" "START GAME SESSION, UNPAUSING MUSIC" \
            "HIDING LOAD BLOCKER" "STARTING GAME"; do
    grep -qx "$line" "$OUT/console.txt" || fail "the console lacks \"$line\" (see $OUT/console.txt)"
done

if [ "$failures" = 0 ]; then echo "stage play: all checks passed"; fi
exit $((failures > 0))
