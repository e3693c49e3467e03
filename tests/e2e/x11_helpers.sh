# Helpers shared by the end-to-end scripts that drive the real game in a
# virtual X display: waiting for what a step needs (a window, a console line,
# a picture, the end of the program), pressing keys as a player does, and
# reading screenshots. Sourced; expects $OUT to be set. The game draws with
# Mesa's software renderer, and each failed check is counted in $failures.
#
# Nothing waits a fixed time for something to happen: every wait polls its
# condition up to a generous limit (a shared, loaded machine can be slow) and,
# when it gives up, says what it waited for.

export LIBGL_ALWAYS_SOFTWARE=1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wait_until() {  # seconds, what is awaited, command... -> the command's success
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "gave up after ${limit} s waiting for $what" >&2
            return 1
        fi
        sleep 0.2
    done
}

visible_window() {  # name pattern -> prints the id of a mapped window of that name
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}

# The id printed is the one found mapped: the game's window is mapped when it is made, hidden
# while the game loads, and shown again, so a second search could find nothing.
wait_window() {  # name pattern[, seconds] -> window id, once it is mapped
    local limit=${2:-60} id
    local deadline=$((SECONDS + limit))
    until id=$(visible_window "$1"); do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "gave up after ${limit} s waiting for a window named \"$1\"; the windows shown:" \
                "$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd '|')" >&2
            return 1
        fi
        sleep 0.2
    done
    echo "$id"
}

drawn() {  # window, image: the window shows more than one colour
    import -window "$1" "$2" 2>/dev/null && [ "$(convert "$2" -format "%k" info:)" -gt 1 ]
}

wait_drawn() {  # window, image[, seconds]: waits for the window's first picture
    wait_until "${3:-60}" "window $1 to draw its first picture" drawn "$1" "$2"
}

has_line() {  # file, line: the file holds the exact line
    grep -qx -- "$2" "$1"
}

wait_line() {  # file, line[, seconds]: says the console's last line when it gives up
    wait_until "${3:-120}" "the console line \"$2\" in $1" has_line "$1" "$2" || {
        echo "  the console's last line: $(grep -v -e '^$' -e '^=*$' "$1" | tail -n 1)" >&2
        return 1
    }
}

ended() {  # pid: the process is gone
    ! kill -0 "$1" 2>/dev/null
}

wait_exit() {  # pid[, seconds]
    wait_until "${2:-60}" "process $1 to end" ended "$1"
}

bright_region() {  # window, image, region, level: a screenshot whose region is brighter than level
    import -window "$1" "$2" && [ "$(brightest "$2" "$3")" -gt "$4" ]
}

picture_changed() {  # window, reference image, image, region, pixels: a new screenshot differs
    import -window "$1" "$3" && [ "$(changed_pixels "$2" "$3" "$4")" -gt "$5" ]
}

picture_still() {  # window, image, region, pixels: two screenshots half a second apart agree
    import -window "$1" "$2.a.png" && sleep 0.5 && import -window "$1" "$2" &&
        [ "$(changed_pixels "$2.a.png" "$2" "$3")" -lt "$4" ]
}

# Starts the game (./vortalis2, or the program $VORTALIS2 names) with its console in a file,
# passes the config dialog with the debug console on and OK (after any keys given first), and
# sets $pid and $game. Says what did not come.
launch() {  # console[, dialog keys...]
    local console=$1 dialog
    shift
    "${VORTALIS2:-./vortalis2}" > "$console" 2>&1 &
    pid=$!
    game=""
    # A busy machine can take a minute or more to start a program and draw with software GL.
    dialog=$(wait_window "^Vortalis 2 Config$" 120) || { fail "the config dialog did not appear"; return 1; }
    wait_drawn "$dialog" "$console.dialog.png" 120 || fail "the config dialog was never drawn"
    send "$dialog" "$@" Tab Tab Tab Tab space Return
    game=$(wait_window "^VORTALIS 2$" 180) || { fail "the game window did not appear"; return 1; }
    wait_drawn "$game" "$console.first.png" 180 || fail "the game window was never drawn"
}

# Escape ends the game with 0; a game that stays is ended and the failure counted.
escape_ends() {  # [what the run was]
    escape "$game"
    if ! wait_exit "$pid"; then fail "Escape did not end the game${1:+ after $1}"; kill "$pid"; fi
    wait "$pid"
    local code=$?
    [ "$code" = 0 ] || fail "the game ended with exit code $code${1:+ after $1}"
}

escape() {  # window: Escape held for a few frames
    xdotool keydown --window "$1" Escape 2>/dev/null
    sleep 0.3
    xdotool keyup --window "$1" Escape 2>/dev/null
}

# A window that closes on a key's press (the config dialog, a message box) can leave that key
# down in the server: xdotool, sending the release to a window that is gone, fails before it
# sends it, and the server's auto-repeat then presses the key on every window that opens next.
# Each key is released in the server itself, window or not.
release_keys() {  # keys...
    for key in "$@"; do timeout 10 xdotool keyup "$key" 2>/dev/null; done
}

send() {  # window, keys...
    local window=$1; shift
    for key in "$@"; do
        xdotool key --window "$window" "$key" 2>/dev/null
        release_keys "$key"
        sleep 0.15
    done
}

hold() {  # window, key[, seconds]: held for a few frames, as a player presses it (a bare
          # press and release between two frames is, by design, no key event)
    xdotool keydown --window "$1" "$2" 2>/dev/null; sleep "${3:-0.15}"
    xdotool keyup --window "$1" "$2" 2>/dev/null; sleep 0.15
}

pixel() {  # window image, x, y -> "r,g,b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

brightest() {  # image, WxH+X+Y -> brightest grey level of the region, 0 to 255
    convert "$1" -crop "$2" +repage -colorspace gray -format "%[fx:int(255*maxima)]" info:
}

changed_pixels() {  # image, image, WxH+X+Y -> how many pixels of the region differ
    convert "$1" -crop "$3" +repage "$OUT/region-a.png"
    convert "$2" -crop "$3" +repage "$OUT/region-b.png"
    compare -metric AE -fuzz 2% "$OUT/region-a.png" "$OUT/region-b.png" null: 2>&1 | cut -d' ' -f1
}

near() {  # "r,g,b" "r,g,b" -> true when every channel is within 12
    python3 -c "import sys; a=[int(v) for v in sys.argv[1].split(',')]; b=[int(v) for v in sys.argv[2].split(',')]; sys.exit(0 if all(abs(x-y)<=12 for x,y in zip(a,b)) else 1)" "$1" "$2"
}

# ---- The HUD's score ----
# Its digits, top left of the 450 x 600 game image in the 800 x 600 window (from x 175).
HUD_SCORE=165x12+183+24

# Some of the reference's digit pixels (white, drawn over everything) are no longer white: a
# digit changed (a 0 turning to 6 loses five). What passes behind the digits (the field fading
# in and scrolling, the carrier, orbs) only adds bright pixels and does not count.
score_moved() {  # reference image, image
    convert "$1" -crop "$HUD_SCORE" +repage -colorspace gray -threshold 85% "$OUT/score-a.png"
    convert "$2" -crop "$HUD_SCORE" +repage -colorspace gray -threshold 85% -negate "$OUT/score-b.png"
    [ "$(convert "$OUT/score-a.png" "$OUT/score-b.png" -compose multiply -composite \
        -format "%[fx:int(mean*w*h+0.5)]" info:)" -gt 3 ]
}

# A picture of the HUD's score at 0 with its digits drawn in full, as `image`.
score_reference() {  # window, image
    wait_until 90 "the HUD's score" bright_region "$1" "$2" "$HUD_SCORE" 220
}

# The config dialog's resolutions, by their index in its list.
WIDTHS=(640 800 1024 1440 1280 1366 1600 1920)
HEIGHTS=(480 600 768 1080 720 768 900 1080)
window_size() {  # resolution index -> sets W and H
    W=${WIDTHS[$1]}
    H=${HEIGHTS[$1]}
}

# ---- The menus ----
# The game prints "MENU SCREEN n" each time menu screen n has slid in.

menu_screens() {  # console -> how many screens have been shown
    grep -c "^MENU SCREEN [0-9]*$" "$1"
}

more_screens() {  # console, count: more screens than count have been shown
    [ "$(menu_screens "$1")" -gt "$2" ]
}

menu_press() {  # window, console, keys... -> the number of the screen the keys lead to
    # Each key is held long enough to span frames on a loaded machine. When no screen comes,
    # the last key (the accept) was lost between two slow frames and is pressed again.
    local window=$1 console=$2 before attempt
    shift 2
    before=$(menu_screens "$console")
    for key in "$@"; do hold "$window" "$key" 0.6; done
    for attempt in 1 2 3; do
        wait_until 40 "a menu screen after $*" more_screens "$console" "$before" && break
        [ "$attempt" = 3 ] && return 1
        hold "$window" "${@: -1}" 0.6
    done
    grep "^MENU SCREEN [0-9]*$" "$console" | tail -n 1 | cut -d' ' -f3
}

starts() {  # console -> how many stage starts the menus have asked for
    grep -c "^STARTING GAME: " "$1"
}

more_starts() {  # console, count
    [ "$(starts "$1")" -gt "$2" ]
}

# From the title to a stage of arcade, normal play, with real keys (the default bindings):
# START, ARCADE, NORMAL, the difficulty (0 easy to 3 extreme); a first game closes the
# tutorial note and picks the first fighter after closing its note, a later one launches
# from the hangar. Succeeds once the stage start has been asked for.
menu_to_stage() {  # window, console, difficulty
    local window=$1 console=$2 difficulty=$3 screen notes
    screen=$(menu_press "$window" "$console" z) && [ "$screen" = 1 ] || { echo "no main menu" >&2; return 1; }
    screen=$(menu_press "$window" "$console" z) && [ "$screen" = 3 ] || { echo "no mode select" >&2; return 1; }
    notes=$(grep -c "^TUTORIAL NOTE SHOWN$" "$console")
    screen=$(menu_press "$window" "$console" Down z) && [ "$screen" = 5 ] ||
        { echo "no difficulty screen" >&2; return 1; }
    if [ "$(grep -c "^TUTORIAL NOTE SHOWN$" "$console")" -gt "$notes" ]; then
        hold "$window" z 0.6
    fi
    local keys=()
    for _ in $(seq 1 "$difficulty"); do keys+=(Down); done
    screen=$(menu_press "$window" "$console" "${keys[@]}" z) || { echo "no screen after the difficulty" >&2; return 1; }
    local before attempt
    before=$(starts "$console")
    if [ "$screen" = 13 ]; then
        hold "$window" z 0.6  # the note's OK
    elif [ "$screen" != 7 ]; then
        echo "the difficulty led to screen $screen" >&2
        return 1
    fi
    # The first fighter, or the hangar's launch; pressed again if lost.
    for attempt in 1 2 3; do
        hold "$window" z 0.6
        wait_until 40 "the stage start" more_starts "$console" "$before" && return 0
    done
    return 1
}

# From a game's end to the main menu: waits for the menus and the results' badge (a picture of
# them as `image`); accept ends the results' count, or is NEXT once it has ended. Says on
# standard error what did not come.
results_to_main() {  # window, console, image
    local window=$1 console=$2 before
    wait_line "$console" "RETURNED TO THE MENUS" 90 || { echo "the game did not come back to the menus" >&2; return 1; }
    wait_until 30 "the results' badge" bright_region "$window" "$3" 80x80+360+150 150 ||
        { echo "the results screen does not show" >&2; return 1; }
    before=$(menu_screens "$console")
    hold "$window" z 0.3
    wait_until 5 "NEXT" more_screens "$console" "$before" || hold "$window" z 0.3
    wait_until 30 "the main menu after the results" more_screens "$console" "$before" ||
        { echo "no way on from the results" >&2; return 1; }
}
