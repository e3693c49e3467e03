#!/usr/bin/env bash
# The control-settings screen in the real game under a virtual X display (run it through
# own_display.sh), with real keys, the mouse and a fresh profile:
#   - on every row, the keys that used to rebind or flip by accident (A, X, P, Left, Right) and
#     then C, the back key, which leaves: the saved profile is the same file after each;
#   - a row chosen and its wait cancelled with an arrow, another given a key, then C: the
#     profile is still the same file (the change was never saved);
#   - fire chosen and given A, SAVE: the profile holds fire on A and nothing else changed;
#   - the beam row clicked, B pressed, SAVE clicked: the profile holds beam on B.
# Screenshots of the screen, as entered and with a row waiting for its key, are left in $OUT.
#   control_settings.sh BUILD_DIR [OUT] [RESOLUTION_INDEX (0 640 x 480, 7 1920 x 1080)]
set -u
GAME_DIR=${1:?usage: control_settings.sh BUILD_DIR [OUT] [RESOLUTION_INDEX]}
OUT=${2:-$GAME_DIR/e2e-control-settings}
INDEX=${3:-0}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

window_size "$INDEX"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home
profile=$home/vortalis2/profile/save.osf
console=$OUT/console.txt

# Rows of the screen, top down: the four actions, MOVEMENT, the four controller rows (DEAD ZONE,
# STICK MOVES, RUMBLE, REPLAY RUMBLE), USE DEFAULTS, SAVE, BACK.
ROWS=12
SAVE_ROW=10

stored() {  # profile key -> its value
    python3 -c "import plistlib, sys; print(plistlib.load(open(sys.argv[1], 'rb'))[sys.argv[2]])" "$profile" "$1"
}

downs() {  # count -> that many Down keys
    for _ in $(seq 1 "$1"); do printf 'Down '; done
}

# The row the highlight stood on when the screen last slid in.
entry_row() {
    grep "^CONTROL SETTINGS ON ROW [0-9]*$" "$console" | tail -n 1 | cut -d' ' -f5
}

# The profile as saved on entering the screen, against the file now.
unchanged() {  # what was done
    cmp -s "$OUT/profile-before.osf" "$profile" && return 0
    fail "$1 changed the saved profile:"
    diff <("$GAME_DIR/orvale-plist" dump "$OUT/profile-before.osf") <("$GAME_DIR/orvale-plist" dump "$profile")
}

# Keys leading to screen `expected`.
to_screen() {  # expected, keys...
    local expected=$1 screen
    shift
    screen=$(menu_press "$game" "$console" "$@") && [ "$screen" = "$expected" ] ||
        { fail "$* led to screen ${screen:-none}, not $expected"; return 1; }
}

# From the options to the control settings. The menus may put the cursor back on the button a
# screen was left on (remembered=1) or on the first one (remembered=0).
remembered=0
to_controls() {
    if [ "$remembered" = 1 ]; then to_screen 10 z; else to_screen 10 $(downs 14) z; fi
}

# Keys on the control screen, from the row the highlight entered on to `row`, then `keys`.
on_row() {  # row, keys...
    local row=$1 from
    shift
    from=$(entry_row)
    for key in $(downs $(((row - from + ROWS) % ROWS))) "$@"; do hold "$game" "$key" 0.3; done
}

# Scene units (768 x 1024, the 4:3 game area centred in the window) to window pixels.
click_at() {  # x, y
    local area_w=$((H * 3 / 4))
    xdotool mousemove --window "$game" $(((W - area_w) / 2 + $1 * area_w / 768)) $((H - $2 * H / 1024)) \
        click 1 2>/dev/null
    sleep 0.3
}

cd "$GAME_DIR"
dialog_keys=(Up)
for _ in $(seq 1 "$INDEX"); do dialog_keys+=(Down); done
if launch "$console" "${dialog_keys[@]}"; then
    wait_until 60 "the title screen" drawn "$game" "$OUT/title.png" || fail "no title screen"
    if to_screen 1 z && to_screen 9 $(downs 3) z && to_screen 10 $(downs 14) z; then  # fresh: first buttons
        sleep 0.6
        import -window "$game" "$OUT/controls-${W}x${H}.png"
        # The options' CONTROL SETTINGS saved the profile: the file every step is held to.
        cp "$profile" "$OUT/profile-before.osf"
        # Back to the main menu: ARCADE (screen 3) under the cursor means the menus start on the
        # first button; OPTIONS (screen 9) means they remember.
        to_screen 9 c && to_screen 1 c
        screen=$(menu_press "$game" "$console" z)
        case "$screen" in
            3) to_screen 1 c && to_screen 9 $(downs 3) z ;;
            9) remembered=1 ;;
            *) fail "the main menu's accept led to screen ${screen:-none}" ;;
        esac
        to_controls

        # Every row: the stray keys, then C leaves.
        for row in $(seq 0 $((ROWS - 1))); do
            on_row "$row" a x p Left Right
            to_screen 9 c || break
            unchanged "A, X, P, Left, Right and C on row $row"
            to_controls || break
        done
        grep -E "^CONTROLS? .*(WAITS|TAKES|SAVED)" "$console" && fail "a stray key chose a row or changed a key"
        # Left and Right switched the movement on its own row only, and back.
        [ "$(grep -c "^CONTROL MOVEMENT " "$console")" = 2 ] ||
            fail "Left and Right switched the movement $(grep -c "^CONTROL MOVEMENT " "$console") times, not twice"

        # A wait cancelled; a key given to beam but never saved.
        on_row 0 z
        wait_line "$console" "CONTROL Fire/accept WAITS FOR A KEY" 10 || fail "accept did not choose fire's row"
        sleep 0.4
        import -window "$game" "$OUT/controls-waiting-${W}x${H}.png"
        hold "$game" Down 0.3
        wait_line "$console" "CONTROL Fire/accept WAIT CANCELLED BY KEY 31" 10 || fail "Down did not cancel the wait"
        hold "$game" Down 0.3
        hold "$game" z 0.3
        hold "$game" a 0.3
        wait_line "$console" "CONTROL beam TAKES KEY 7" 10 || fail "beam did not take A"
        to_screen 9 c
        unchanged "beam given A, then BACK"

        # Fire given A and saved with the accept key the menus still have, Z.
        to_controls
        on_row 0 z a
        wait_line "$console" "CONTROL Fire/accept TAKES KEY 7" 10 || fail "fire did not take A"
        to_screen 9 $(downs "$SAVE_ROW") z
        [ "$(stored "ctrl 0") $(stored "ctrl 1") $(stored "ctrl 2") $(stored "ctrl 3")" = "7 3 1 26" ] ||
            fail "saved: fire $(stored "ctrl 0"), beam $(stored "ctrl 1"), trance $(stored "ctrl 2"), pause $(stored "ctrl 3"); not 7 3 1 26"

        # The mouse: the beam row clicked, B, SAVE clicked (the menus now accept with A).
        if [ "$remembered" = 1 ]; then to_screen 10 a; else to_screen 10 $(downs 14) a; fi
        click_at 480 747
        wait_line "$console" "CONTROL beam WAITS FOR A KEY" 10 || fail "a click did not choose beam's row"
        hold "$game" b 0.3
        before=$(menu_screens "$console")
        click_at 270 125
        wait_until 20 "the options after SAVE was clicked" more_screens "$console" "$before" || fail "SAVE's click left nothing"
        [ "$(stored "ctrl 1")" = 4 ] || fail "beam is saved on key $(stored "ctrl 1"), not B (4)"
    fi
    escape_ends "the control settings"
fi

if [ "$failures" = 0 ]; then echo "control settings: all checks passed"; fi
exit $((failures > 0))
