#!/usr/bin/env bash
# The HUD and the stage overlays in the real game under a virtual X display (run it through
# xvfb-run -s "-screen 0 1920x1080x24"), at one window size, with real keys and the mouse:
#   run 1: the stage shows its HUD; the pause key shows the pause screen; a click on "RESUME"
#          counts down and play goes on; "END GAME" and the confirmation's "YES", both clicked,
#          end the game.
# FLOW=1 plays, instead of run 1, two games on a profile with no spare ship and one continue,
# under the test setting VORTALIS2_GAME_SPEED=8 (eight game frames a drawn frame while the
# stage plays, so the idle ship is shot down in seconds rather than minutes):
#   run 2 (one bomb, no score yet): fire held, the HUD's bomb button is clicked; shot down,
#          the prompt's "NO" by keys asks to end the game; the question starts on "NO", so
#          accept goes on with the game; asked again, "YES": the game-over screen shows the
#          score and "NEW RECORD", a key goes on to the results, which show them too, and the
#          high scores keep that score; the replay the refused game kept (replays/last.ovr)
#          plays back exactly in vortalis2-sim.
#   run 3 (easy, four spare ships): fire held a moment, then Escape in play quits and keeps
#          the game (its replay and its score, the easy table's first); started again, the
#          high scores show it.
# Screenshots are left in $OUT for a person to look at.
#   overlay_play.sh BUILD_DIR OUT RESOLUTION_INDEX (0 640 x 480, 1 800 x 600, 7 1920 x 1080)
set -u
GAME_DIR=${1:?usage: overlay_play.sh BUILD_DIR OUT RESOLUTION_INDEX}
OUT=${2:?}
INDEX=${3:-1}
FLOW=${FLOW:-0}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

window_size "$INDEX"
AREA_W=$((H * 3 / 4))  # the 4:3 game area, centred in the window
AREA_X=$(((W - AREA_W) / 2))

# Window pixels of the overlay point (x, y) (320 x 480 units, y up).
px() { echo $((AREA_X + $1 * AREA_W / 320)); }
py() { echo $((H - $1 * H / 480)); }
# A region of the window around the overlay point (x, y), w x h units.
region() {  # x, y, w, h
    echo "$(($3 * AREA_W / 320))x$(($4 * H / 480))+$(px $(($1 - $3 / 2)))+$(py $(($2 + $4 / 2)))"
}
click_field() {  # window, x, y
    xdotool mousemove --window "$1" "$(px "$2")" "$(py "$3")" 2>/dev/null
    sleep 0.2  # the move is seen before the press, as a player's hand does it
    xdotool mousedown --window "$1" 1 2>/dev/null
    sleep 0.1
    xdotool mouseup --window "$1" 1 2>/dev/null
}
count_lines() {  # file, line -> how many times the line was printed
    grep -cx -- "$2" "$1"
}
more_lines() {  # file, line, count
    [ "$(count_lines "$1" "$2")" -gt "$3" ]
}
# The HUD's score digits differ from a reference screenshot's (the field scrolling behind them,
# a few faint pixels, does not count).
score_moved() {  # reference image, image
    import -window "$game" "$2" || return 1
    convert "$1" -crop "$(region 70 460 120 16)" +repage "$OUT/score-a.png"
    convert "$2" -crop "$(region 70 460 120 16)" +repage "$OUT/score-b.png"
    [ "$(compare -metric AE -fuzz 30% "$OUT/score-a.png" "$OUT/score-b.png" null: 2>&1 | cut -d' ' -f1)" -gt 8 ]
}

export XDG_DATA_HOME
XDG_DATA_HOME=$(mktemp -d)
PROFILE=$XDG_DATA_HOME/vortalis2/profile/save.osf
cd "$GAME_DIR"

start_stage() {  # console, dialog keys... -> sets game and pid; $DIFFICULTY (1 normal) is played
    local console=$1
    launch "$@" || return 1
    wait_until 60 "the title screen" drawn "$game" "$OUT/title.png" || fail "no title screen"
    menu_to_stage "$game" "$console" "${DIFFICULTY:-1}" || { fail "the menus did not lead to a stage"; return 1; }
    wait_line "$console" "HIDING LOAD BLOCKER" || fail "the load blocker never lifted"
}
finish() {  # what the run was
    sleep 1  # the menus' fade back in, for the last picture
    escape_ends "$1"
}
dialog_keys=(Up)
for _ in $(seq 1 "$INDEX"); do dialog_keys+=(Down); done

# ---- Run 1: the HUD, pause and resume by the mouse, end game by the mouse ----
console=$OUT/console.txt
if [ "$FLOW" != 1 ] && start_stage "$console" "${dialog_keys[@]}"; then
    wait_until 120 "the HUD's score" bright_region "$game" "$OUT/1-hud.png" "$(region 70 460 120 16)" 150 ||
        fail "the HUD's score never showed"
    wait_line "$console" "STARTING GAME" || fail "the stage never started"
    import -window "$game" "$OUT/1-hud.png"
    hold "$game" p
    wait_line "$console" "GAME PAUSED" || fail "pause did not pause"
    wait_until 60 "the pause screen" bright_region "$game" "$OUT/2-paused.png" "$(region 160 278 100 20)" 150 ||
        fail "the pause screen's buttons never showed"
    click_field "$game" 160 278  # RESUME
    wait_line "$console" "GAME RESUMED" || fail "the RESUME button did not resume"
    import -window "$game" "$OUT/3-resumed.png"
    hold "$game" p
    wait_until 60 "a second pause" more_lines "$console" "GAME PAUSED" 1 || fail "the second pause did not pause"
    wait_until 60 "the pause screen" bright_region "$game" "$OUT/4-paused-again.png" "$(region 160 249 100 20)" 150 ||
        fail "the pause screen's buttons never showed again"
    click_field "$game" 160 249  # END GAME
    wait_until 60 "the confirmation" bright_region "$game" "$OUT/5-confirm.png" "$(region 160 280 120 20)" 150 ||
        fail "the end-game question never showed"
    click_field "$game" 160 246  # YES
    wait_line "$console" "GAME ENDED, BACK TO THE MENUS" || fail "YES did not end the game"
    finish "the first run"
fi

# The profile: no spare ship and no bomb, so the first hit ends a life, and one continue (made
# whole here when no run has made one yet; the game reads absent keys as their defaults).
set_profile() {  # bombs[, spare ships]
    python3 - "$PROFILE" "$1" "${2:-0}" <<'PY'
import os, plistlib, sys
path, bombs, lives = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
profile = {"pc version": True, "music volume": 0.5, "sfx volume": 0.5, "buffer scale": 0.5,
           "graphic setting": 2, "background mode": 1, "ctrl 0": 2, "ctrl 1": 3, "ctrl 2": 1,
           "ctrl 3": 26, "touch sensitivity": 0.65, "screen scale": 1.0, "prize alpha": 1.0,
           "left control": True, "trance warning": True, "auto trance": True,
           "use shoot upgrades": True, "level": 1, "exp to level": 250}
if os.path.exists(path):
    with open(path, "rb") as f:
        profile = plistlib.load(f)
profile.update({"lives": lives, "bombs": bombs, "continues": 1, "show tutorial": False})
os.makedirs(os.path.dirname(path), exist_ok=True)
with open(path, "wb") as f:
    plistlib.dump(profile, f, fmt=plistlib.FMT_BINARY)
PY
}
stored() {  # profile key -> its value as Python's plistlib reads it
    python3 -c "import plistlib, sys; print(plistlib.load(open(sys.argv[1], 'rb')).get(sys.argv[2], 0))" "$PROFILE" "$1"
}
# The number a console line "PREFIX n..." carries, from its last printing.
line_number() {  # file, prefix
    grep "^$2 [0-9]*" "$1" | tail -n 1 | sed -E "s/^$2 ([0-9]*).*/\1/"
}
if [ "$FLOW" = 1 ]; then
    export VORTALIS2_GAME_SPEED=8
    # ---- Run 2: the continue refused with keys, the end-game question on NO, the game over ----
    set_profile 1
    console=$OUT/console-refused.txt
    if start_stage "$console" "${dialog_keys[@]}"; then
        # Fire held where the ship stands: it scores, and is shot down all the same.
        xdotool keydown --window "$game" z 2>/dev/null
        for _ in 1 2 3; do
            click_field "$game" 303 72  # the HUD's bomb button: spent once the ship is in play
            sleep 1
        done
        wait_line "$console" "SHOWING CONTINUE PROMPT" 120 || fail "the ship was never shot down"
        xdotool keyup --window "$game" z 2>/dev/null  # held through the death: no answer
        wait_until 60 "the continue prompt" bright_region "$game" "$OUT/6-continue.png" "$(region 160 188 100 20)" 150 ||
            fail "the continue prompt's buttons never showed"
        hold "$game" Down  # the prompt's NO
        hold "$game" z
        wait_line "$console" "ASKING TO END THE GAME" 30 || fail "NO did not ask to end the game"
        sleep 0.5
        import -window "$game" "$OUT/7-confirm-on-no.png"
        hold "$game" z  # the question starts on NO: the game goes on
        wait_line "$console" "GAME GOES ON" 30 || fail "accept on the end-game question did not answer NO"
        hold "$game" z  # the prompt's NO again
        wait_until 30 "the question again" more_lines "$console" "ASKING TO END THE GAME" 1 ||
            fail "NO did not ask again"
        hold "$game" Up
        hold "$game" z  # YES
        wait_line "$console" "SHOWING GAME OVER" 30 || fail "YES did not show the game over"
        wait_until 30 "the game-over screen" bright_region "$game" "$OUT/8-game-over.png" \
            "$(region 160 250 200 30)" 150 || fail "the game-over screen never showed"
        score=$(line_number "$console" "GAME OVER SCORE")
        [ "${score:-0}" -gt 0 ] || fail "the game over shows no score (see $console)"
        has_line "$console" "NEW RECORD $score" || fail "a first game's score $score is no NEW RECORD (see $console)"
        sleep 1.2  # the moment before a key may skip it
        import -window "$game" "$OUT/8-game-over.png"
        hold "$game" z 0.6  # read: on to the results
        wait_line "$console" "GAME ENDED, BACK TO THE MENUS" 120 || fail "the game over did not end the game"
        wait_line "$console" "RESULTS SCORE $score NEW RECORD" 60 || fail "the results do not show $score as a record"
        wait_line "$console" "RETURNED TO THE MENUS" 60
        # The results' score line (menu units: 768 x 1024 over the game area) once the load
        # cover has faded from it.
        wait_until 60 "the results' score" bright_region "$game" "$OUT/9-results.png" \
            "$((AREA_W * 300 / 768))x$((H * 40 / 1024))+$((AREA_X + AREA_W * 234 / 768))+$((H - H * 826 / 1024))" 200 ||
            fail "the results never showed the score"
        [ "$(stored "arcade score med")" = "$score" ] ||
            fail "the high scores keep $(stored "arcade score med"), the game over showed $score"
        finish "the refused run"
        last=$XDG_DATA_HOME/vortalis2/replays/last.ovr
        if [ -f "$last" ]; then
            result=$(./vortalis2-sim --replay "$last" 2>/dev/null)
            case "$result" in
                *replay=ok*) ;;
                *) fail "the refused game's replay did not play back: $result" ;;
            esac
        else
            fail "the refused game kept no replay"
        fi
    fi
    # ---- Run 3: Escape in play; the next start's high scores hold the game ----
    # On easy, whose table is still empty, with four spare ships, so that no continue prompt or game
    # over stores the score first: only what Escape keeps can fill the table.
    set_profile 0 4
    rm -f "$XDG_DATA_HOME/vortalis2/replays/last.ovr"
    console=$OUT/console-escape.txt
    if DIFFICULTY=0 start_stage "$console" "${dialog_keys[@]}"; then
        # Fire held until the HUD's score has moved (at most a minute: a loaded machine is slow),
        # from a reference taken once the score is drawn (the menus may still be fading out).
        wait_until 120 "the HUD's score" bright_region "$game" "$OUT/score-start.png" "$(region 70 460 120 16)" 150 ||
            fail "the HUD's score never showed"
        xdotool keydown --window "$game" z 2>/dev/null
        wait_until 60 "the HUD's score to move" score_moved "$OUT/score-start.png" "$OUT/10-before-escape.png" ||
            fail "the ship held fire and scored nothing"
        xdotool keyup --window "$game" z 2>/dev/null
        grep -q "^SHOWING \(CONTINUE PROMPT\|GAME OVER\)$" "$console" &&
            fail "every ship was down before Escape (a slow machine?)"
        escape_ends "Escape in play"
        wait_line "$console" "GAME CLOSED IN PLAY, KEEPING IT" 5 || fail "Escape in play did not keep the game"
        saved=$(grep -a "^REPLAY SAVED: .*/replays/last.ovr " "$console" | tail -n 1)
        [ -n "$saved" ] && [ -f "$XDG_DATA_HOME/vortalis2/replays/last.ovr" ] ||
            fail "the game left by Escape kept no replay"
        at_escape=$(echo "$saved" | sed -E 's/.* SCORE ([0-9]+) FRAMES .*/\1/')
        best=$(stored "arcade score easy")
        [ "${at_escape:-0}" -gt 0 ] || fail "the game left by Escape made no score to keep (see $console)"
        [ "$best" = "${at_escape:-0}" ] || fail "the high scores keep $best, the game left by Escape made $at_escape"
        # Started again: the high scores show what the profile holds.
        console=$OUT/console-again.txt
        launch "$console" "${dialog_keys[@]}" || fail "the game did not start again"
        wait_until 60 "the title screen" drawn "$game" "$OUT/12-title-again.png" || fail "no title screen"
        if [ "$(menu_press "$game" "$console" z)" = 1 ] && [ "$(menu_press "$game" "$console" Down Down z)" = 8 ]; then
            sleep 0.6
            import -window "$game" "$OUT/13-high-scores.png"
            grep -q "^HIGH SCORES NORMAL: $best $score 0 0$" "$console" ||
                fail "the high scores do not show the kept $best (see $console)"
        else
            fail "the menus did not lead to the high scores"
        fi
        escape_ends "the high scores"
    fi
fi
rm -rf "$XDG_DATA_HOME"
if [ "$failures" = 0 ]; then echo "overlay play: all checks passed"; fi
exit $((failures > 0))
