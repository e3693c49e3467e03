#!/usr/bin/env bash
# Both ends of the campaign in the real game under a virtual X display (run it through
# own_display.sh). Under the test settings the arcade starts at the fifth stage with no continue
# used and the autopilot flies a ship nothing can shoot down, fast: the menus lead to an arcade
# game, the fifth stage plays to its end, and the game rolls its ending.
#   normal: the fifth stage, then the credits over the menus' own nebula;
#   hard:   the hidden fifth stage, then the final credits over their dawn, warm where the
#           nebula is cool; the profile keeps the true route.
# Screenshots of each ending are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: game_endings.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-game-endings}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home
export VORTALIS2_ARCADE_FROM=4 VORTALIS2_TEST_PILOT=1 VORTALIS2_GAME_SPEED=32

# The mean red and blue of a region of a screenshot, 0 to 100 each: "R B".
warmth() {  # image, WxH+X+Y
    convert "$1" -crop "$2" +repage -format "%[fx:round(100*mean.r)] %[fx:round(100*mean.b)]" info:
}

play_to_ending() {  # difficulty (1 normal, 2 hard), the line the ending says, its name
    local difficulty=$1 ending=$2 name=$3 console=$OUT/console-$3.txt
    launch "$console" || return 1
    grep -qx "TEST SETTING: ARCADE GAMES START AT STAGE 5" "$console" || fail "$name: the start setting was not taken"
    menu_to_stage "$game" "$console" "$difficulty" || { fail "$name: the keys did not lead to a game"; return 1; }
    wait_line "$console" "STARTING GAME: MODE 0, CASUAL 0, DIFFICULTY $difficulty, STAGE 4" 60 ||
        fail "$name: the game did not start"
    # The stage, its boss, its summary (which goes on by itself) and the way back.
    wait_line "$console" "$ending" 900 || { fail "$name: the game did not roll its ending"; return 1; }
    wait_line "$console" "RETURNED TO THE MENUS" 60 || fail "$name: the menus did not come back"
    sleep 4  # the blocker's fade and some of the roll: a span, not a wait for an event
    import -window "$game" "$OUT/$name.png"
    [ "$(brightest "$OUT/$name.png" 450x300+175+100)" -gt 150 ] || fail "$name: the credits show no lines"
}

cd "$GAME_DIR"
if play_to_ending 1 "ROLLING THE CREDITS" credits; then
    grep -q "bullets_5.png" "$OUT/console-credits.txt" || fail "credits: normal did not play the fifth stage"
    read -r red blue <<<"$(warmth "$OUT/credits.png" 450x260+175+140)"
    [ "$red" -le "$blue" ] || fail "credits: the menus' nebula should be cool (red $red, blue $blue)"
fi
escape_ends "the credits"

if play_to_ending 2 "ROLLING THE FINAL CREDITS" final-credits; then
    grep -q "bullets_5_true.png" "$OUT/console-final-credits.txt" || fail "final credits: hard did not play the hidden stage"
    read -r red blue <<<"$(warmth "$OUT/final-credits.png" 450x260+175+140)"
    [ "$red" -gt "$blue" ] || fail "final credits: the dawn should be warm (red $red, blue $blue)"
fi
escape_ends "the final credits"
# The profile the game saved keeps the true route on hard and the hidden stage reached.
python3 - "$home/vortalis2/profile/save.osf" <<'EOF' || fail "the profile does not keep the true route"
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    p = plistlib.load(f)
assert p["true route cleared hard"] is True and p["hidden stage reached"] is True, p
assert p["arcade reach hard"] == 6 and p["arcade reach med"] == 5, p
EOF

if [ "$failures" = 0 ]; then echo "game endings: all checks passed"; fi
exit $((failures > 0))
