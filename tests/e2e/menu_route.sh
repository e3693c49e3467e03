#!/usr/bin/env bash
# The front end in the real game under a virtual X display (run it through own_display.sh), with
# a fresh profile:
#   with the mouse: click the title's prompt -> main menu -> click CREDITS -> the credits roll
#   -> click BACK -> main menu -> click OPTIONS -> click BACK -> main menu; then with real keys: back to the title, and START, ARCADE,
#   NORMAL play, HARD -> the tutorial note -> the fighter select (a first game) -> the stage
#   starts with the chosen difficulty.
# Screenshots of every screen passed are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: menu_route.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-menu-route}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home
console=$OUT/console.txt

# The 800 x 600 window shows the 768 x 1024 scene as 450 x 600 from x 175: a scene point's
# window pixel.
click_scene() {  # window, scene x, scene y
    click_window "$1" $((175 + $2 * 450 / 768)) $((600 - $3 * 600 / 1024))
}

click_window() {  # window, x, y
    xdotool mousemove --window "$1" "$2" "$3" 2>/dev/null
    sleep 0.3
    xdotool mousedown --window "$1" 1 2>/dev/null
    sleep 0.2
    xdotool mouseup --window "$1" 1 2>/dev/null
}

clicked_to() {  # window, scene x, scene y, screen expected[, window pixels] -> the click slid that screen in
    local before
    before=$(menu_screens "$console")
    if [ "${5:-}" = pixels ]; then click_window "$1" "$2" "$3"; else click_scene "$1" "$2" "$3"; fi
    wait_until 30 "a menu screen after a click at $2, $3" more_screens "$console" "$before" || return 1
    [ "$(grep "^MENU SCREEN [0-9]*$" "$console" | tail -n 1 | cut -d' ' -f3)" = "$4" ]
}

cd "$GAME_DIR"
if launch "$console"; then
    wait_until 60 "the title screen" bright_region "$game" "$OUT/1-title.png" 300x140+250+110 200 ||
        fail "no title screen"
    # The mouse: the prompt, CREDITS, the credits' BACK.
    clicked_to "$game" 384 300 1 || fail "a click on the title's prompt did not open the main menu"
    import -window "$game" "$OUT/2-main.png"
    clicked_to "$game" 384 318 11 || fail "a click on CREDITS did not open the credits"
    sleep 3  # the roll's span, not a wait for an event
    import -window "$game" "$OUT/3-credits.png"
    [ "$(brightest "$OUT/3-credits.png" 450x300+175+100)" -gt 150 ] || fail "the credits show no lines"
    # The credits are seen in perspective: their BACK (scene y 170) is drawn at window y 548.
    clicked_to "$game" 400 548 1 pixels || fail "a click on the credits' BACK did not return to the main menu"
    clicked_to "$game" 384 404 9 || fail "a click on OPTIONS did not open the options"
    import -window "$game" "$OUT/3-options.png"
    clicked_to "$game" 576 110 1 || fail "a click on the options' BACK did not return to the main menu"

    # The keys: from OPTIONS, where the main menu kept its cursor, up to ARCADE and back to the
    # title, then through the menus to a stage on HARD.
    for key in Up Up Up; do hold "$game" "$key" 0.3; done
    screen=$(menu_press "$game" "$console" c) && [ "$screen" = 0 ] || fail "back did not return to the title"
    menu_to_stage "$game" "$console" 2 || fail "the keys did not lead through the menus"
    grep -qx "TUTORIAL NOTE SHOWN" "$console" || fail "a new player saw no tutorial note"
    grep -qx "MENU SCREEN 13" "$console" || fail "a first game did not pass the fighter select"
    wait_line "$console" "STARTING GAME: MODE 0, CASUAL 0, DIFFICULTY 2, STAGE 0" 60 ||
        fail "the stage did not start with the chosen difficulty"
    wait_line "$console" "HIDING LOAD BLOCKER" 60 || fail "the stage never showed"
    import -window "$game" "$OUT/4-stage.png"
fi
escape_ends

if [ "$failures" = 0 ]; then echo "menu route: all checks passed"; fi
exit $((failures > 0))
