#!/usr/bin/env bash
# A game controller in the real game under a virtual X display (run it through own_display.sh),
# with the virtual pad of VORTALIS2_VIRTUAL_PAD and a fresh profile:
#   the start-up lines name the pad; its A leaves the title (whose prompt names A); the menus
#   lead to a stage; its START pauses and resumes the game; unplugging it pauses the game and
#   the pause screen says so; plugging a PlayStation pad in says so too; Escape ends with 0.
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: pad_unplug.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-pad}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config
commands=$OUT/pad-commands.txt
: > "$commands"
export VORTALIS2_VIRTUAL_PAD=$commands
console=$OUT/console.txt

pad() {  # command...: written for the game to read on its next frame
    printf '%s\n' "$@" >> "$commands"
}
tap() {  # button: pressed for a few frames, then released
    pad "press $1"
    sleep 0.5
    pad "release $1"
    sleep 0.3
}
count_line() {  # file, line -> how many times the exact line is there
    grep -cx -- "$2" "$1"
}
more_lines() {  # file, line, count
    [ "$(count_line "$1" "$2")" -gt "$3" ]
}

cd "$GAME_DIR"
if launch "$console"; then
    has_line "$console" "External controller 0 connected!" || fail "no start-up line for the virtual pad"
    wait_until 60 "the title" bright_region "$game" "$OUT/title.png" 300x140+250+110 200 || fail "no title"
    before=$(menu_screens "$console")
    tap a
    wait_until 40 "the main menu after the pad's A" more_screens "$console" "$before" ||
        fail "the pad's A did not leave the title"
    sleep 1
    import -window "$game" "$OUT/main-menu-pad-hints.png"
    hold "$game" c 0.6  # back to the title with the keyboard, for the menus' usual route
    wait_until 40 "the title again" more_screens "$console" "$((before + 1))" || fail "no way back to the title"
    menu_to_stage "$game" "$console" 1 || fail "the menus did not lead to a stage"
    wait_line "$console" "HIDING LOAD BLOCKER" || fail "the load blocker never lifted"
    sleep 3

    paused=$(count_line "$console" "GAME PAUSED")
    tap start
    wait_until 30 "the pad's START to pause" more_lines "$console" "GAME PAUSED" "$paused" ||
        fail "the pad's START did not pause"
    resumed=$(count_line "$console" "GAME RESUMED")
    tap start
    wait_until 30 "the pad's START to resume" more_lines "$console" "GAME RESUMED" "$resumed" ||
        fail "the pad's START did not resume"
    sleep 3  # the resume's countdown

    paused=$(count_line "$console" "GAME PAUSED")
    pad unplug
    wait_line "$console" "CONTROLLER UNPLUGGED" 30 || fail "unplugging the pad was not told"
    more_lines "$console" "GAME PAUSED" "$paused" || fail "unplugging the pad did not pause the game"
    sleep 1
    import -window "$game" "$OUT/paused-unplugged.png"
    pad "plug playstation"
    wait_line "$console" "CONTROLLER CONNECTED" 30 || fail "plugging a pad in was not told"
    sleep 1
    import -window "$game" "$OUT/paused-connected.png"
fi
escape_ends "the pad's run"

if [ "$failures" = 0 ]; then echo "pad unplug: all checks passed"; fi
exit $((failures > 0))
