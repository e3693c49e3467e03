#!/usr/bin/env bash
# The replay theatre in the real program with real keys, under a virtual X display (run it
# through own_display.sh):
#   a short arcade game (fire held, the ship steered until it has scored, the game four times
#   quicker under VORTALIS2_GAME_SPEED) ended by pause, END GAME, YES -> the results' KEEP
#   REPLAY -> the theatre's prompt, a name typed -> the kept row watched -> UP, UP: x4 ->
#   LEFT: a seek 10 s back -> P: paused with the bar -> T: the player takes control at the
#   frame shown -> the ship flies up into the stage until it is lost and the game ends -> the
#   results' SEE HIT: the frozen moment with what hit the ship ringed.
# Screenshots and the console are left in $OUT (build/e2e-replay-theatre).
set -u
GAME_DIR=$(cd "${1:?usage: replay_theatre.sh BUILD_DIR}" && pwd)
OUT=$GAME_DIR/e2e-replay-theatre
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$OUT"
. "$HERE/x11_helpers.sh"

export XDG_DATA_HOME="$OUT/data-home"
export VORTALIS2_GAME_SPEED=4
rm -rf "$XDG_DATA_HOME"
cd "$GAME_DIR"
console="$OUT/console.txt"
launch "$console"

# Fire held, the ship swept left and right until the score has moved (the high scores keep
# only a game that scored) and for at least 8 s.
play_a_little() {
    local until=$((SECONDS + 8)) limit=$((SECONDS + 90)) scored=""
    score_reference "$game" "$OUT/score-start.png" || { fail "the HUD's score never showed"; return; }
    xdotool keydown --window "$game" z 2>/dev/null
    while [ "$SECONDS" -lt "$limit" ] && { [ "$SECONDS" -lt "$until" ] || [ -z "$scored" ]; }; do
        for key in Left Right; do
            xdotool keydown --window "$game" "$key" 2>/dev/null; sleep 0.4
            xdotool keyup --window "$game" "$key" 2>/dev/null; sleep 0.4
        done
        if [ -z "$scored" ]; then
            import -window "$game" "$OUT/score-now.png"
            score_moved "$OUT/score-start.png" "$OUT/score-now.png" && scored=$SECONDS
        fi
    done
    xdotool keyup --window "$game" z 2>/dev/null
    [ -n "$scored" ] || fail "the HUD's score never moved while fire was held"
}

end_game() {  # pause, END GAME, YES
    for _ in 1 2 3; do hold "$game" p 0.6; wait_line "$console" "GAME PAUSED" 15 && break; done
    sleep 0.5
    hold "$game" x 0.6
    sleep 0.5
    hold "$game" Up 0.3  # the question starts on NO
    hold "$game" z 0.6
}

watching() { grep -q "^WATCHING REPLAY: " "$console"; }
replay_stage() { [ "$(grep -c "^HIDING LOAD BLOCKER$" "$console")" -ge 2 ]; }
lime_pixels() {  # in a new screenshot: pixels of the hit mark's lime (bright, green well above red and blue)
    import -window "$game" "$OUT/6-hit-shown.png"
    convert "$OUT/6-hit-shown.png" -fx "(g>0.6 && g-r>0.15 && g-b>0.35) ? 1 : 0" \
        -format "%[fx:round(mean*w*h)]" info:
}
ringed() { [ "$(lime_pixels)" -gt 40 ]; }
back_in_menus() { [ "$(grep -c "^RETURNED TO THE MENUS$" "$console")" -ge "$1" ]; }
seek_done() { grep -q "^REPLAY SEEK DONE AT FRAME " "$console"; }

watch_and_take_over() {
    local screen
    wait_line "$console" "RETURNED TO THE MENUS" 90 || { fail "the game did not come back to the menus"; return 1; }
    sleep 3
    import -window "$game" "$OUT/1-results.png"
    # The results come back with NEXT chosen: KEEP REPLAY lies below NEXT, HANGAR and, when
    # the game kept a hit, SEE HIT.
    local downs=(Down Down)
    [ "$(grep -c "^HIT KEPT: " "$console")" -gt 0 ] && downs=(Down Down Down)
    screen=$(menu_press "$game" "$console" "${downs[@]}" z) && [ "$screen" = 14 ] ||
        { fail "KEEP REPLAY did not lead to the theatre"; return 1; }
    sleep 1
    import -window "$game" "$OUT/1-keep-prompt.png"
    # The prompt offers a generated name: it is cleared and a name of the player's typed.
    for _ in $(seq 1 30); do xdotool key --window "$game" BackSpace 2>/dev/null; done
    xdotool type --window "$game" --delay 120 "Dawn run" 2>/dev/null
    sleep 0.5
    import -window "$game" "$OUT/1-name-typed.png"
    hold "$game" Return 0.3
    wait_until 20 "the replay kept" grep -q "^REPLAYS: \"Dawn run\" KEPT IN .*/kept-.*\.ovr$" "$console" ||
        { fail "the typed name did not keep the replay"; return 1; }
    sleep 0.5
    import -window "$game" "$OUT/1-kept.png"
    hold "$game" z 0.6  # the kept row is chosen: WATCH
    wait_until 60 "a replay watched" watching || { fail "WATCH did not start the replay"; return 1; }
    grep -q "^WATCHING REPLAY: .*/kept-.*\.ovr$" "$console" || fail "the theatre did not play the kept replay"
    wait_until 60 "the replay's stage" replay_stage ||
        { fail "the replay's stage did not start"; return 1; }
    sleep 1
    hold "$game" Up 0.3
    wait_line "$console" "REPLAY SPEED x2" 20 || fail "UP did not speed the replay up"
    hold "$game" Up 0.3
    wait_line "$console" "REPLAY SPEED x4" 20 || fail "UP did not speed the replay up to x4"
    sleep 3
    import -window "$game" "$OUT/2-watching-x4.png"
    hold "$game" Left 0.3
    import -window "$game" "$OUT/2-seeking.png"
    wait_until 30 "the seek back" seek_done || fail "LEFT did not seek back"
    grep "^REPLAY SEEK" "$console" | tail -n 2
    hold "$game" p 0.3
    wait_line "$console" "REPLAY PAUSED" 20 || fail "P did not pause the replay"
    sleep 0.5
    import -window "$game" "$OUT/3-paused.png"
    # The bar lies along the foot of the 450 x 600 game image (from x 175 in the 800 x 600
    # window), bright text on a dark band.
    [ "$(brightest "$OUT/3-paused.png" 400x70+200+525)" -gt 150 ] || fail "the watch bar does not show"
    hold "$game" t 0.3
    wait_until 20 "the take-over" grep -q "^REPLAY TAKEN OVER AT FRAME [0-9]*$" "$console" ||
        { fail "T did not take control"; return 1; }
}

lose_the_ship() {  # up into the stage's waves, firing, until the continue prompt; then NO, YES
    local limit=$((SECONDS + 150))
    xdotool keydown --window "$game" Up 2>/dev/null
    while ! has_line "$console" "SHOWING CONTINUE PROMPT" && [ "$SECONDS" -lt "$limit" ]; do
        for key in Left Right; do
            xdotool keydown --window "$game" "$key" 2>/dev/null; sleep 0.3
            xdotool keyup --window "$game" "$key" 2>/dev/null
        done
    done
    xdotool keyup --window "$game" Up 2>/dev/null
    has_line "$console" "SHOWING CONTINUE PROMPT" || { fail "the ship was never lost"; return 1; }
    import -window "$game" "$OUT/4-ship-lost.png"
    sleep 0.5
    hold "$game" x 0.6  # NO, then YES: the game ends
    sleep 0.5
    hold "$game" Up 0.3
    hold "$game" z 0.6
    wait_until 90 "the taken-over game's end" back_in_menus 2 || { fail "the taken-over game did not end"; return 1; }
    sleep 3
    import -window "$game" "$OUT/5-results.png"
    # The taken-over game's results start on SEE HIT: the moment the ship was lost, frozen,
    # with what hit it ringed in the mark's lime and its attack named.
    hold "$game" z 0.6
    wait_until 60 "the hit shown" grep -q "^REPLAY HIT SHOWN: FRAME " "$console" ||
        { fail "SEE HIT did not show the hit"; return 1; }
    # The line comes as the seek ends, while the load screen may still fade away.
    wait_until 60 "the ring" ringed || fail "the frozen hit is not ringed ($(lime_pixels) lime pixels)"
    grep "^REPLAY HIT SHOWN: " "$console" | tail -n 1
}

if [ -n "${game:-}" ]; then
    wait_until 60 "the title screen" bright_region "$game" "$OUT/0-title.png" 300x140+250+110 200 ||
        fail "no title screen"
    if menu_to_stage "$game" "$console" 1; then
        wait_line "$console" "HIDING LOAD BLOCKER" 60 || fail "the stage did not start"
        play_a_little
        end_game
        wait_until 120 "the game's end" grep -q "^REPLAY SAVED: .*/replays/last.ovr " "$console" ||
            fail "the game ended without saving its replay"
        watch_and_take_over && lose_the_ship
    else
        fail "the menus did not lead to a stage"
    fi
fi
escape_ends "the replay"
if [ "$failures" = 0 ]; then echo "replay theatre: all checks passed"; fi
exit $((failures > 0))
