#!/usr/bin/env bash
# The game's search for its package, in the real program under a virtual X
# display (run it through own_display.sh):
#   1. alone in a folder: a message box names data.oap and every place looked
#      in, no game window stays up, and the program exits with a failure;
#   2. beside a damaged data.oap: the same;
#   3. beside a package without its shaders, with folders in their place, or without its
#      property lists: a message box says the package is damaged and what it lacks (never a
#      graphics card without OpenGL 2.0, never a black window);
#   4. with no display to open a window on: it says so and exits with a failure.
# (The package found in its installed place is installed_game.sh's.)
# Screenshots are left in $OUT for a person to look at.
set -u
GAME_DIR=$(cd "${1:?usage: package_missing.sh BUILD_DIR}" && pwd)
OUT=${2:-$GAME_DIR/e2e-package}
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

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

# Starts the game in `folder`, accepts the dialog and expects the message box; with `lack`, the
# package there mounts and is refused as damaged by what it lacks.
expect_box() {  # folder, case name[, lack]
    local folder=$1 name=$2 lack=${3:-}
    echo "$name: starting the game"
    (cd / && exec "$folder/vortalis2") > "$OUT/console-$name.txt" 2>&1 &
    local pid=$!
    local dialog box
    dialog=$(wait_window "^Vortalis 2 Config$" 120) || fail "$name: the config dialog did not appear"
    [ -n "${dialog:-}" ] && accept_dialog "$dialog" Return
    echo "$name: waiting for the message box"
    box=$(wait_window "$box_title" 120) || fail "$name: no message box about the missing package"
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
    echo "$name: waiting for the end"
    wait_exit "$pid" || { fail "$name: the game is still running"; kill -9 "$pid"; }
    wait "$pid"
    local code=$?
    [ "$code" != 0 ] || fail "$name: the game ended with 0, not a failure"
    if [ -n "$lack" ]; then
        grep -qx "ASSET PACKAGE DAMAGED! $folder/data.oap has no $lack" "$OUT/console-$name.txt" ||
            fail "$name: the console does not say the package has no $lack"
        grep -q "OpenGL 2.0" "$OUT/console-$name.txt" && fail "$name: blamed on the graphics card"
    else
        grep -qx "ASSET PACKAGE MOUNT FAILED!" "$OUT/console-$name.txt" || fail "$name: no mount failure line"
        grep -q "^no package at $folder/data.oap: " "$OUT/console-$name.txt" ||
            fail "$name: the console does not name $folder/data.oap"
        grep -q "^no package at $(dirname "$folder")/share/games/vortalis2/data.oap: " "$OUT/console-$name.txt" ||
            fail "$name: the console does not name the installed place"
    fi
    grep -q "Setting up GFX manager" "$OUT/console-$name.txt" && fail "$name: the game went on without its package"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 1. Alone.
mkdir -p "$work/alone/bin"
cp "$GAME_DIR/vortalis2" "$work/alone/bin/"
expect_box "$work/alone/bin" alone

# 2. A damaged package: the first half of the real one.
mkdir -p "$work/damaged/bin"
cp "$GAME_DIR/vortalis2" "$work/damaged/bin/"
head -c $(($(stat -c %s "$GAME_DIR/data.oap") / 2)) "$GAME_DIR/data.oap" > "$work/damaged/bin/data.oap"
expect_box "$work/damaged/bin" damaged

# 3. Whole packages that lack what the game starts with: copies of the real one without the
# members named (a name ending in "/" drops the folder; "NAME=folder" puts a folder holding
# one file where the file NAME was).
without() {  # case name, names...
    mkdir -p "$work/$1/bin"
    cp "$GAME_DIR/vortalis2" "$work/$1/bin/"
    python3 - "$GAME_DIR/data.oap" "$work/$1/bin/data.oap" "${@:2}" <<'PYTHON'
import sys, zipfile
source, target, names = sys.argv[1], sys.argv[2], sys.argv[3:]
folders = [n[: -len("=folder")] for n in names if n.endswith("=folder")]
dropped = lambda member: any(member == n or (n.endswith("/") and member.startswith(n)) for n in names + folders)
with zipfile.ZipFile(source) as old, zipfile.ZipFile(target, "w") as new:
    for info in old.infolist():
        if not dropped(info.filename):
            new.writestr(info, old.read(info.filename))
    for folder in folders:
        new.writestr(folder + "/inside", "")
PYTHON
}
without noshaders Shaders/
expect_box "$work/noshaders/bin" noshaders "shader Shaders/ES2/Shader.vsh"
without shaderfolders Shaders/ES2/Shader.vsh=folder Shaders/110/Shader.vsh=folder
expect_box "$work/shaderfolders/bin" shaderfolders "shader Shaders/ES2/Shader.vsh"
without nolists assets/plist/
expect_box "$work/nolists/bin" nolists "property lists in assets/plist"

# 4. No display: the windowing library would abort; the game says why and fails.
code=$(cd / && DISPLAY=:7999 timeout 60 "$GAME_DIR/vortalis2" > "$OUT/console-nodisplay.txt" 2>&1; echo $?)
[ "$code" = 1 ] || fail "no display: the game ended with '$code', not 1"
grep -q "no X display answers" "$OUT/console-nodisplay.txt" || fail "no display: the console does not say why"

if [ "$failures" = 0 ]; then echo "package missing: all checks passed"; fi
exit $((failures > 0))
