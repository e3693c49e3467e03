#!/usr/bin/env bash
# Ends three games the three ways a player can, in the real game under a
# virtual X display (run it through own_display.sh), with real key presses; each end
# must come back to the results, whose NEXT and the main menu's back lead to a
# working title whose start begins the next game:
#   1. the last ship lost with a continue left, the continue declined (X), YES (Z);
#   2. the continue taken (Z), the last ship lost again: GAME OVER ends the game;
#   3. pause (P), END GAME (X), YES (Z).
# A fourth game starts from the title; Escape ends the program with 0.
# The ship is left where the carrier drops it, so the stage's bullets take
# its lives. Screenshots are left in $OUT for a person to look at.
set -u
# The ship is shot down in seconds rather than minutes: eight game frames a drawn frame in a
# stage (the game's test setting); keys and overlays work as at normal speed.
export VORTALIS2_GAME_SPEED=${VORTALIS2_GAME_SPEED:-8}
GAME_DIR=${1:?usage: game_end.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-game-end}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

# As wait_window, with a limit of 60 s: on a loaded machine a window can take long to appear.
wait_window_long() {  # name pattern -> window id
    for _ in $(seq 1 600); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# Waits until the console holds `count` copies of the line, up to `seconds`.
wait_line() {  # line, count, seconds
    local deadline=$((SECONDS + $3))
    while [ "$SECONDS" -lt "$deadline" ]; do
        [ "$(grep -cx "$1" "$OUT/console.txt")" -ge "$2" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

# Waits until the title's logo and start prompt are on screen, up to `seconds`.
wait_title() {  # picture name, seconds
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        import -window "$game" "$OUT/$1.png" 2>/dev/null
        local logo prompt
        logo=$(brightest "$OUT/$1.png" 300x140+250+110 2>/dev/null)
        prompt=$(brightest "$OUT/$1.png" 200x30+300+410 2>/dev/null)
        if [ "${logo:-0}" -gt 200 ] && [ "${prompt:-0}" -gt 180 ]; then
            return 0
        fi
        sleep 0.3
    done
    return 1
}

# A key held long enough to span several frames however slow they are.
press() {  # key
    hold "$game" "$1" 0.6
}

# From the title through the menus, and wait for the stage to be played.
start_game() {  # game number
    menu_to_stage "$game" "$OUT/console.txt" 1 || { fail "game $1: the menus did not lead to a stage"; return 1; }
    wait_line "HIDING LOAD BLOCKER" "$1" 60
    wait_line "HIDING LOAD BLOCKER" "$1" 1 || { fail "game $1 did not start from the title"; return 1; }
    wait_line "STARTING GAME" "$1" 30 || fail "game $1's stage did not start"
}

# The game's end: the menus come back on the results, with no load blocker over them; accept
# ends their count (or, once it has ended, is NEXT), NEXT leads to the main menu and back to
# the title.
back_to_title() {  # game number, how it ended
    wait_line "GAME ENDED, BACK TO THE MENUS" "$1" 60 || { fail "game $1 ($2) did not end"; return 1; }
    wait_line "RETURNED TO THE MENUS" "$1" 30 || { fail "game $1 ($2) hangs on the load blocker"; return 1; }
    sleep 1
    import -window "$game" "$OUT/results-after-game-$1.png"
    local before screen
    before=$(menu_screens "$OUT/console.txt")
    press z
    if ! wait_until 5 "NEXT after the results' count" more_screens "$OUT/console.txt" "$before"; then
        press z
    fi
    wait_until 30 "the main menu after the results" more_screens "$OUT/console.txt" "$before" ||
        { fail "no way on from the results after game $1 ($2)"; return 1; }
    screen=$(menu_press "$game" "$OUT/console.txt" c) && [ "$screen" = 0 ] ||
        { fail "back from the main menu after game $1 ($2) did not reach the title"; return 1; }
    wait_title "title-after-game-$1" 30 || { fail "no title after game $1 ($2)"; return 1; }
}

cd "$GAME_DIR"
rm -rf profile
./vortalis2 > "$OUT/console.txt" 2>&1 &
pid=$!
dialog=$(wait_window_long "^Vortalis 2 Config$") || fail "the config dialog did not appear"
[ -n "${dialog:-}" ] && sleep 0.5 && send "$dialog" Tab Tab Tab Tab space Return
game=$(wait_window_long "^VORTALIS 2$") || fail "the game window did not appear"
if [ -n "${game:-}" ] && wait_title "title" 60; then
    # 1. Every ship lost, the continue declined.
    if start_game 1; then
        if wait_line "SHOWING CONTINUE PROMPT" 1 240; then
            sleep 0.5
            import -window "$game" "$OUT/1-continue.png"
            press x
            sleep 0.5
            import -window "$game" "$OUT/1-are-you-sure.png"
            press z
            back_to_title 1 "continue declined"
        else
            fail "game 1: the continue prompt never came"
        fi
    fi
    # 2. The continue taken, then the last ship lost: game over.
    if start_game 2; then
        if wait_line "SHOWING CONTINUE PROMPT" 2 240; then
            sleep 0.5
            press z
            if wait_line "SHOWING GAME OVER" 1 300; then
                sleep 1
                import -window "$game" "$OUT/2-game-over.png"
                back_to_title 2 "last ship lost"
            else
                fail "game 2: the game over never came"
            fi
        else
            fail "game 2: the continue prompt never came"
        fi
    fi
    # 3. Pause, END GAME, YES.
    if start_game 3; then
        sleep 1
        for _ in 1 2 3; do press p; wait_line "GAME PAUSED" 1 15 && break; done
        wait_line "GAME PAUSED" 1 1 || fail "game 3 did not pause"
        sleep 0.5
        import -window "$game" "$OUT/3-paused.png"
        press x
        sleep 0.5
        press z
        back_to_title 3 "END GAME"
    fi
    # 4. The title still starts a game.
    start_game 4 && sleep 1 && import -window "$game" "$OUT/4-fourth-game.png"
    xdotool keydown --window "$game" Escape 2>/dev/null; sleep 0.3; xdotool keyup --window "$game" Escape 2>/dev/null
else
    fail "no title at start-up"
fi
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "Escape did not end the game"; kill "$pid"; fi
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "the game ended with exit code $code"

if [ "$failures" = 0 ]; then echo "game end: all checks passed"; fi
exit $((failures > 0))
