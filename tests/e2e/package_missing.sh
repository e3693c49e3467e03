#!/usr/bin/env bash
# The game's search for its package, in the real program under a virtual X
# display of its own (or the one DISPLAY names):
#   1. alone in a folder: a message box names data.oap and every place looked
#      in, no game window stays up, and the program exits with a failure;
#   2. beside a damaged data.oap: the same;
#   3. installed as PREFIX/bin/vortalis2 with PREFIX/share/vortalis2/data.oap:
#      the package is found, the title shows, and Escape ends with 0;
#   4. with no display to open a window on: it says so and exits with a failure.
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=${1:?usage: package_missing.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-package}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

# The script runs its own X server, on a display number the server picks itself (-displayfd):
# a number chosen beforehand, as xvfb-run -a does, can be taken by another server starting at
# the same moment, and the game then reaches a display that refuses it. It does not start afresh
# whenever its last client leaves (-noreset): a program connecting then would find no display.
if [ -z "${DISPLAY:-}" ]; then
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 300); do [ -s "$display_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$display_file")"
    rm -f "$display_file"
    [ "$DISPLAY" != ":" ] || { echo "FAIL: no X server started"; exit 1; }
fi

# As wait_window, with a limit of 60 s: on a loaded machine a window can take long to appear.
# Only a mapped window counts: one found while it is still being made takes no keys, and a
# screenshot of it can wait forever.
wait_window_long() {  # name pattern -> window id
    for _ in $(seq 1 600); do
        id=$(timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}
box_title="^VORTALIS 2: game data missing$"

# Sends the keys to the config dialog until it has closed (a key sent before it reads its
# events is lost), at most five times.
accept_dialog() {  # window, keys...
    local window=$1
    for _ in 1 2 3 4 5; do
        sleep 0.3
        for key in "${@:2}"; do timeout 10 xdotool key --window "$window" "$key" 2>/dev/null; sleep 0.15; done
        release_keys "${@:2}"
        for _ in $(seq 1 100); do
            timeout 10 xdotool search --onlyvisible --name "^Vortalis 2 Config$" >/dev/null 2>&1 || return 0
            sleep 0.1
        done
    done
    fail "the config dialog did not close"
}

# Waits for the program to end, up to `seconds`; prints its exit code.
wait_exit() {  # pid, seconds
    for _ in $(seq 1 $(($2 * 10))); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$1" 2>/dev/null; then kill -9 "$1"; wait "$1" 2>/dev/null; echo "still running"; return; fi
    wait "$1"; echo $?
}

# Starts the game in `folder`, accepts the dialog and expects the message box.
expect_box() {  # folder, case name
    local folder=$1 name=$2
    echo "$name: starting the game"
    (cd / && exec "$folder/vortalis2") > "$OUT/console-$name.txt" 2>&1 &
    local pid=$!
    local dialog box
    dialog=$(wait_window_long "^Vortalis 2 Config$") || fail "$name: the config dialog did not appear"
    [ -n "${dialog:-}" ] && accept_dialog "$dialog" Return
    echo "$name: waiting for the message box"
    box=$(wait_window_long "$box_title") || fail "$name: no message box about the missing package"
    if [ -n "${box:-}" ]; then
        # The box is drawn once it is mapped: wait for its text.
        for _ in $(seq 1 50); do
            timeout 20 import -window "$box" "$OUT/box-$name.png" 2>/dev/null
            lit=$(timeout 20 convert "$OUT/box-$name.png" -crop 400x40+10+10 +repage -colorspace gray \
                -format "%[fx:int(255*maxima)]" info: 2>/dev/null)
            [ "${lit:-0}" -gt 150 ] && break
            sleep 0.2
        done
        [ "${lit:-0}" -gt 150 ] || fail "$name: the message box shows no text"
        xdotool search --onlyvisible --name "^VORTALIS 2$" >/dev/null 2>&1 &&
            fail "$name: a game window is open beside the message box"
        # Return, again while the program runs. The box reads key presses, so a plain press
        # will do; a key held down (keydown) would stay down in the server if the box closed
        # before its release, and the server's auto-repeat would then press Return on the next
        # case's dialog and box at once.
        for _ in 1 2 3 4 5; do
            kill -0 "$pid" 2>/dev/null || break
            timeout 10 xdotool key --window "$box" Return 2>/dev/null
            release_keys Return
            for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        done
    fi
    local code
    echo "$name: waiting for the end"
    code=$(wait_exit "$pid" 60)
    [ "$code" != 0 ] && [ "$code" != "still running" ] || fail "$name: the game ended with '$code', not a failure"
    grep -qx "ASSET PACKAGE MOUNT FAILED!" "$OUT/console-$name.txt" || fail "$name: no mount failure line"
    grep -q "^no package at $folder/data.oap: " "$OUT/console-$name.txt" ||
        fail "$name: the console does not name $folder/data.oap"
    grep -q "^no package at $(dirname "$folder")/share/vortalis2/data.oap: " "$OUT/console-$name.txt" ||
        fail "$name: the console does not name the installed place"
    grep -q "Setting up GFX manager" "$OUT/console-$name.txt" && fail "$name: the game went on without its package"
}

work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null' EXIT

# 1. Alone.
mkdir -p "$work/alone/bin"
cp "$GAME_DIR/vortalis2" "$work/alone/bin/"
expect_box "$work/alone/bin" alone

# 2. A damaged package: the first half of the real one.
mkdir -p "$work/damaged/bin"
cp "$GAME_DIR/vortalis2" "$work/damaged/bin/"
head -c $(($(stat -c %s "$GAME_DIR/data.oap") / 2)) "$GAME_DIR/data.oap" > "$work/damaged/bin/data.oap"
expect_box "$work/damaged/bin" damaged

# 3. The installed layout.
mkdir -p "$work/prefix/bin" "$work/prefix/share/vortalis2"
cp "$GAME_DIR/vortalis2" "$work/prefix/bin/"
cp "$GAME_DIR/data.oap" "$work/prefix/share/vortalis2/"
(cd / && exec "$work/prefix/bin/vortalis2") > "$OUT/console-installed.txt" 2>&1 &
pid=$!
dialog=$(wait_window_long "^Vortalis 2 Config$") || fail "installed: the config dialog did not appear"
[ -n "${dialog:-}" ] && accept_dialog "$dialog" Tab Tab Tab Tab space Return
game=$(wait_window_long "^VORTALIS 2$") || fail "installed: the game window did not appear"
if [ -n "${game:-}" ]; then
    shown=0
    for _ in $(seq 1 100); do
        import -window "$game" "$OUT/installed-title.png" 2>/dev/null
        lit=$(brightest "$OUT/installed-title.png" 300x140+250+110 2>/dev/null)
        if [ "${lit:-0}" -gt 200 ]; then shown=1; break; fi
        sleep 0.3
    done
    [ "$shown" = 1 ] || fail "installed: the title did not show"
    # Escape held until the program ends: a short press can fall between two slow frames.
    for _ in 1 2 3 4 5; do
        kill -0 "$pid" 2>/dev/null || break
        timeout 10 xdotool keydown --window "$game" Escape 2>/dev/null
        sleep 1
        timeout 10 xdotool keyup Escape 2>/dev/null  # released in the server, window or not
        sleep 2
    done
fi
code=$(wait_exit "$pid" 60)
[ "$code" = 0 ] || fail "installed: the game ended with '$code'"
grep -qx "asset package mount successful." "$OUT/console-installed.txt" || fail "installed: the package was not mounted"

# 4. No display: the windowing library would abort; the game says why and fails.
code=$(cd / && DISPLAY=:7999 timeout 60 "$work/prefix/bin/vortalis2" > "$OUT/console-nodisplay.txt" 2>&1; echo $?)
[ "$code" = 1 ] || fail "no display: the game ended with '$code', not 1"
grep -q "no X display answers" "$OUT/console-nodisplay.txt" || fail "no display: the console does not say why"

if [ "$failures" = 0 ]; then echo "package missing: all checks passed"; fi
exit $((failures > 0))
