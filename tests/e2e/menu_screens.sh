#!/usr/bin/env bash
# The hangar, high-score, options, control-settings and results screens in the real game under
# a virtual X display (run it through own_display.sh), with real keys and a fresh profile:
#   run 1: the first-run notes of the difficulty and fighter screens, closed, leave nothing
#   behind (each screen after its note is closed looks as on a later visit, without the note);
#   a first game (arcade, normal play, easy) played with fire held, then ended from the
#   pause -> the results -> NEXT -> HIGHSCORES shows the score the game made, as the profile
#   holds it -> OPTIONS: the music volume two steps up, SAVE -> the profile holds 0.7 ->
#   CONTROL SETTINGS: fire's row chosen and given A, SAVE -> the profile holds it; Escape.
#   run 2: the profile given 500 upgrade points; the title asks for A; A leads through the
#   menus to the hangar (a later game), a bomb is bought and LAUNCH starts the stage with it;
#   the music volume saved in run 1 is still there (read with Python's plistlib, a second
#   reader of the format); the ship fires with A (its kills give the score that Escape keeps).
# Screenshots of every screen are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: menu_screens.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-menu-screens}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

# The two games are played at twice the game's speed (a test setting), so a machine busy enough
# to slow the game down still sees the ship's kills within the sweeps; the menus are unchanged.
export VORTALIS2_GAME_SPEED=${VORTALIS2_GAME_SPEED:-2}

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home
profile=$home/vortalis2/profile/save.osf

stored() {  # profile key -> its value as Python's plistlib reads it (reals to three places)
    python3 -c "import plistlib, sys; v = plistlib.load(open(sys.argv[1], 'rb'))[sys.argv[2]]; print(round(v, 3) if isinstance(v, float) else v)" "$profile" "$1"
}

# Fire held while the ship sweeps the field, until the HUD's score has moved from where it
# stood at the start (enemies shot down), at most 40 sweeps: a loaded machine plays slowly.
sweep_firing() {  # key
    score_reference "$game" "$OUT/score-before-sweep.png" || fail "the HUD's score never showed"
    # Orbs and enemies passing behind the digits can look like a move: six sweeps come first.
    xdotool keydown --window "$game" "$1" 2>/dev/null
    for sweep in $(seq 1 40); do
        hold "$game" Left 1.2; hold "$game" Right 1.2
        import -window "$game" "$OUT/score-in-sweep.png"
        [ "$sweep" -ge 6 ] && score_moved "$OUT/score-before-sweep.png" "$OUT/score-in-sweep.png" && break
    done
    xdotool keyup --window "$game" "$1" 2>/dev/null
}

# Starts the game and waits for its title; sets $game, $pid and $console.
start() {  # run number
    console=$OUT/console-$1.txt
    launch "$console" || return 1
    wait_until 60 "the title screen" bright_region "$game" "$OUT/title-$1.png" 300x140+250+110 200 ||
        { fail "run $1: no title screen"; return 1; }
}

# Keys that should lead to the screen numbered `expected`; a picture of it as `name`.
to_screen() {  # expected, name, keys...
    local expected=$1 name=$2 screen
    shift 2
    screen=$(menu_press "$game" "$console" "$@") && [ "$screen" = "$expected" ] ||
        { fail "$* led to screen ${screen:-none}, not $expected"; return 1; }
    sleep 0.6  # the slide has ended; the picture is for a person, nothing waits on it
    import -window "$game" "$OUT/$name.png"
}

# The screen after its first-run note is closed, against a later visit that shows no note:
# the region where the note's OK stood must look the same. Only what is drawn brighter than
# mid-grey is compared: the menu background drifts behind the buttons, the more so on a slow
# machine, but an OK's frame and label are bright (a left-over OK differs by over 1,000 pixels).
note_left_nothing() {  # name, region, keys back and on again (one screen each)...
    local name=$1 region=$2 key changed
    shift 2
    hold "$game" z 0.6  # the note's OK
    sleep 0.8
    import -window "$game" "$OUT/$name-note-closed.png"
    for key in "$@"; do menu_press "$game" "$console" "$key" > /dev/null || fail "$key led nowhere"; done
    sleep 0.8
    import -window "$game" "$OUT/$name-later.png"
    convert "$OUT/$name-note-closed.png" -crop "$region" +repage -colorspace gray -threshold 50% "$OUT/note-a.png"
    convert "$OUT/$name-later.png" -crop "$region" +repage -colorspace gray -threshold 50% "$OUT/note-b.png"
    changed=$(compare -metric AE "$OUT/note-a.png" "$OUT/note-b.png" null: 2>&1 | cut -d' ' -f1)
    [ "${changed%.*}" -lt 200 ] || fail "the $name screen keeps $changed changed pixels of its closed note"
}

downs() {  # count -> that many Down keys
    for _ in $(seq 1 "$1"); do printf 'Down '; done
}

cd "$GAME_DIR"

# ---- Run 1 ----
if start 1; then
    # START, ARCADE, NORMAL: the difficulty's note; closed, then back and in again. Its OK
    # stood over EXTREME; the fighter select's between TRACK and WIDE (800 x 600: the scene's
    # 768 x 1024 as 450 x 600 from x 175).
    to_screen 1 main-1 z && to_screen 3 mode-1 z && to_screen 5 difficulty-note Down z
    note_left_nothing difficulty 234x58+283+319 c z z
    to_screen 13 fighters-note z
    note_left_nothing fighters 234x47+283+330 c z
    hold "$game" z 0.6  # FOCUS
    if wait_line "$console" "HIDING LOAD BLOCKER" 90; then
        # Fire held while the ship sweeps the field, then the pause's END GAME.
        sweep_firing z
        for _ in 1 2 3; do hold "$game" p 0.5; wait_line "$console" "GAME PAUSED" 10 && break; done
        hold "$game" x 0.5
        sleep 0.5
        hold "$game" Up 0.3  # the question starts on NO
        hold "$game" z 0.5
        problem=$(results_to_main "$game" "$console" "$OUT/results.png" 2>&1) || fail "run 1: $problem"

        to_screen 8 highscores $(downs 2) z
        best=$(stored "arcade score easy")
        [ "${best:-0}" -gt 0 ] || fail "run 1: the game made no score to show (see $OUT/console-1.txt)"
        grep -q "^HIGH SCORES NORMAL: $best 0 0 0$" "$console" ||
            fail "run 1: the high scores do not show the profile's $best (see $console)"
        to_screen 1 main-after-scores c  # the main menu's cursor waits on HIGHSCORES

        to_screen 9 options $(downs 1) z
        hold "$game" Right 0.3
        hold "$game" Right 0.3
        sleep 0.4
        import -window "$game" "$OUT/options-music-up.png"
        to_screen 1 main-after-save $(downs 15) z
        [ "$(stored "music volume")" = 0.7 ] || fail "run 1: the saved music volume is $(stored "music volume"), not 0.7"

        to_screen 9 options-again z  # still on OPTIONS
        to_screen 10 control-settings Up z  # from SAVE
        hold "$game" a 0.3  # the highlight rests on fire
        hold "$game" z 0.3  # A alone changed nothing: fire's row chosen, then given A
        hold "$game" a 0.3
        sleep 0.4
        import -window "$game" "$OUT/control-settings-fire-on-a.png"
        to_screen 9 options-after-controls $(downs 10) z
        [ "$(stored "ctrl 0")" = 7 ] || fail "run 1: fire is stored on key $(stored "ctrl 0"), not A (7)"
    else
        fail "run 1: the stage never showed"
    fi
    escape_ends "run 1"
fi

# ---- Run 2 ----
python3 - "$profile" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    p = plistlib.load(f)
p["upgrade points"] = 500
with open(sys.argv[1], "wb") as f:
    plistlib.dump(p, f, fmt=plistlib.FMT_BINARY)
PY
if start 2; then
    to_screen 1 main-2 a || true
    to_screen 3 mode-2 a
    to_screen 5 difficulty-2 Down a
    to_screen 7 hangar a  # easy; a later game goes to the hangar
    hold "$game" Up 0.3; hold "$game" Up 0.3; hold "$game" Up 0.3; hold "$game" Up 0.3
    hold "$game" a 0.3  # bombs' plus
    sleep 0.6
    import -window "$game" "$OUT/hangar-bomb-bought.png"
    hold "$game" Down 0.3; hold "$game" Down 0.3; hold "$game" Down 0.3; hold "$game" Down 0.3
    hold "$game" a 0.3  # LAUNCH
    wait_line "$console" "HANGAR LAUNCH: WEAPON 1, MISSILES 0, OPTIONS 0, BOMBS 3, LIVES 2, CONTINUES 1, TOKENS 0, 350 POINTS LEFT" 30 ||
        fail "run 2: the hangar did not launch with the bomb bought (see $console)"
    wait_line "$console" "STARTING GAME: MODE 0, CASUAL 0, DIFFICULTY 0, STAGE 0" 60 || fail "run 2: no stage started"
    [ "$(stored bombs)" = 3 ] && [ "$(stored "upgrade points")" = 350 ] ||
        fail "run 2: the profile holds $(stored bombs) bombs and $(stored "upgrade points") points"
    [ "$(stored "music volume")" = 0.7 ] || fail "run 2: the music volume came back as $(stored "music volume")"
    if wait_line "$console" "HIDING LOAD BLOCKER" 90; then
        # The ship fires with A: it shoots enemies down.
        sweep_firing a
        import -window "$game" "$OUT/stage-fired-with-a.png"
    else
        fail "run 2: the stage never showed"
    fi
    escape_ends "run 2"
    # Escape keeps the run: the score it saved with the replay is the proof of the shots.
    kept=$(grep -o "^REPLAY SAVED: .* SCORE [0-9]*" "$console" | tail -n 1 | awk '{print $NF}')
    [ "${kept:-0}" -gt 0 ] || fail "run 2: the game kept a score of ${kept:-nothing} while A was held: no shots"
fi

if [ "$failures" = 0 ]; then echo "menu screens: all checks passed"; fi
exit $((failures > 0))
