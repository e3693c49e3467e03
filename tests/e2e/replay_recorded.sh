#!/usr/bin/env bash
# A game played in the real program under a virtual X display (run it through
# xvfb-run) with real keys leaves a replay that the headless runner plays back
# to the same end:
#   title -> arcade, normal play, normal -> the stage, fire held, the ship
#   steered left and right for a while -> pause, END GAME, YES -> the game-over screen, and
#   the game ends
#   and says "REPLAY SAVED: .../replays/last.ovr SCORE n FRAMES f" ->
#   vortalis2-sim --replay last.ovr gives score=n, frames=f and replay=ok;
#   the results -> the main menu -> HIGH SCORES: the new best's WATCH plays the
#   game again with the HUD and its REPLAY marker, UP speeds it up to x2 and x4, a
#   click leaves it for the high scores.
# With --keep the game goes on until every ship is lost and the continue is
# declined, and the replay and its result line become tests/replay/played.ovr
# and played.result, which the replay test then plays on every build:
#     xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/replay_recorded.sh build --keep
# Screenshots and the console are left in $OUT.
set -u
GAME_DIR=$(cd "${1:?usage: replay_recorded.sh BUILD_DIR [--keep]}" && pwd)
KEEP=${2:-}
OUT=$GAME_DIR/e2e-replay
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$OUT"
. "$HERE/x11_helpers.sh"

# The game keeps its profile and replays in a fresh data folder of its own.
export XDG_DATA_HOME="$OUT/data-home"
rm -rf "$XDG_DATA_HOME"
cd "$GAME_DIR"
launch "$OUT/console.txt"

steer() {  # keeps fire held and sweeps the ship left and right until the continue prompt
           # (or, without --keep, for about 25 seconds, and on until the score has moved: the
           # high scores keep only a game that scored, and a busy machine plays slowly)
    local until=$((SECONDS + 25)) limit=$((SECONDS + 240)) scored=""
    [ "$KEEP" = "--keep" ] && until=$((SECONDS + 600)) limit=$((SECONDS + 600))
    score_reference "$game" "$OUT/score-start.png" || fail "the HUD's score never showed"
    xdotool keydown --window "$game" z 2>/dev/null
    while ! has_line "$OUT/console.txt" "SHOWING CONTINUE PROMPT" && kill -0 "$pid" 2>/dev/null &&
        [ "$SECONDS" -lt "$limit" ] && { [ "$SECONDS" -lt "$until" ] || [ -z "$scored" ]; }; do
        for key in Left Right Right Left; do
            xdotool keydown --window "$game" "$key" 2>/dev/null; sleep 0.4
            xdotool keyup --window "$game" "$key" 2>/dev/null; sleep 0.8
        done
        if [ -z "$scored" ]; then
            import -window "$game" "$OUT/score-now.png"
            score_moved "$OUT/score-start.png" "$OUT/score-now.png" && scored=$SECONDS
        fi
    done
    xdotool keyup --window "$game" z 2>/dev/null
    [ -n "$scored" ] || has_line "$OUT/console.txt" "SHOWING CONTINUE PROMPT" ||
        echo "the HUD's score never moved while fire was held (see $OUT/score-now.png)" >&2
}

screen_count() { grep -c "^HIGH SCORES NORMAL: " "$OUT/console.txt"; }
covers_lifted() {  # count: the load cover has been lifted that many times
    [ "$(grep -c "^HIDING LOAD BLOCKER$" "$OUT/console.txt")" -ge "$1" ]
}
more_high_scores() {  # count: the high scores have slid in more often than that
    [ "$(screen_count)" -gt "$1" ]
}

watch_from_high_scores() {
    local console="$OUT/console.txt" before screen problem
    problem=$(results_to_main "$game" "$console" "$OUT/3-results.png" 2>&1) || { fail "$problem"; return; }
    screen=$(menu_press "$game" "$console" Down Down z) && [ "$screen" = 8 ] ||
        { fail "the main menu did not lead to the high scores"; return; }
    sleep 0.6
    import -window "$game" "$OUT/4-high-scores.png"
    # From the tab of the table shown (normal play) past BOSS RUSH to the normal row's WATCH.
    for key in Down Down; do hold "$game" "$key" 0.3; done
    hold "$game" z 0.6
    wait_line "$console" "WATCHING REPLAY: $XDG_DATA_HOME/vortalis2/replays/best-arcade-normal-1.ovr" 90 ||
        { fail "WATCH did not start the replay"; return; }
    wait_until 60 "the replay's stage" covers_lifted 2 ||
        { fail "the replay's stage did not start"; return; }
    sleep 4
    import -window "$game" "$OUT/5-replay.png"
    hold "$game" Up 0.3
    wait_line "$console" "REPLAY SPEED x2" 30 || fail "UP did not speed the replay up"
    hold "$game" Up 0.3
    wait_line "$console" "REPLAY SPEED x4" 30 || fail "UP did not speed the replay up to x4"
    sleep 1
    import -window "$game" "$OUT/6-replay-x4.png"
    before=$(screen_count)
    # A click on the game area leaves (back, the key, does too).
    xdotool mousemove --window "$game" 400 300 2>/dev/null
    sleep 0.2
    xdotool mousedown --window "$game" 1 2>/dev/null
    sleep 0.1
    xdotool mouseup --window "$game" 1 2>/dev/null
    wait_line "$console" "LEAVING REPLAY" 30 || { fail "a click did not leave the replay"; return; }
    wait_line "$console" "RETURNED TO THE MENUS" 60
    wait_until 60 "the high scores again" more_high_scores "$before" ||
        fail "leaving the replay did not come back to the high scores"
    # The load cover fades from the high scores: their heading shows.
    wait_until 30 "the high scores' heading" bright_region "$game" "$OUT/7-back-at-high-scores.png" \
        260x40+270+55 180 || fail "the high scores do not show after the replay"
}

saved=""
if [ -n "${game:-}" ]; then
    wait_until 60 "the title screen" bright_region "$game" "$OUT/1-title.png" 300x140+250+110 200 ||
        fail "no title screen"
    menu_to_stage "$game" "$OUT/console.txt" 1 || fail "the menus did not lead to a stage"
    wait_line "$OUT/console.txt" "HIDING LOAD BLOCKER" 60 || fail "the stage did not start"
    steer
    import -window "$game" "$OUT/2-played.png"
    if has_line "$OUT/console.txt" "SHOWING CONTINUE PROMPT"; then
        sleep 0.5
        hold "$game" x 0.6  # NO, then YES: the game ends
    else
        for _ in 1 2 3; do hold "$game" p 0.6; wait_line "$OUT/console.txt" "GAME PAUSED" 15 && break; done
        has_line "$OUT/console.txt" "GAME PAUSED" || fail "the game did not pause"
        sleep 0.5
        hold "$game" x 0.6  # END GAME, then YES
    fi
    sleep 0.5
    hold "$game" Up 0.3  # the question starts on NO
    hold "$game" z 0.6
    wait_until 180 "the game's end" grep -q "^REPLAY SAVED: .*/replays/last.ovr " "$OUT/console.txt" ||
        fail "the game ended without saving its replay"
    saved=$(grep "^REPLAY SAVED: .*/replays/last.ovr " "$OUT/console.txt" | tail -n 1)
    [ "$KEEP" = "--keep" ] || watch_from_high_scores
fi
escape_ends

if [ -n "$saved" ]; then
    echo "game: $saved"
    replay="$XDG_DATA_HOME/vortalis2/replays/last.ovr"
    score=$(echo "$saved" | sed -E 's/.* SCORE ([0-9-]+) FRAMES ([0-9]+)$/\1/')
    frames=$(echo "$saved" | sed -E 's/.* SCORE ([0-9-]+) FRAMES ([0-9]+)$/\2/')
    line=$(./vortalis2-sim --replay "$replay" 2> "$OUT/sim-console.txt")
    echo "sim:  $line"
    case "$line" in
        *" replay=ok") ;;
        *) fail "the replay did not play back as recorded" ;;
    esac
    case "$line" in
        *" frames=$frames "*" score=$score "*) ;;
        *) fail "the replay's frames or score differ from the game's (frames $frames, score $score)" ;;
    esac
    if [ "$KEEP" = "--keep" ] && [ "$failures" = 0 ]; then
        cp "$replay" "$HERE/../replay/played.ovr"
        {
            echo "# A game of arcade, normal play, normal, played with real keys in the real program."
            echo "$line" | sed -E 's/ (boss_worst_update_us|mean_update_us|worst_update_us)=[^ ]+//g'
        } > "$HERE/../replay/played.result"
        echo "kept as tests/replay/played.ovr"
    fi
fi
if [ "$failures" = 0 ]; then echo "replay recorded: all checks passed"; fi
exit $((failures > 0))
