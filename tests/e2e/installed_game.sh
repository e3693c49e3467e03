#!/usr/bin/env bash
# The game installed as a player installs it (run it through own_display.sh):
#   1. `cmake --install` into a fresh prefix puts the game, its tools, the package, the desktop
#      entry, the icons, the AppStream description and the manual page in their places;
#   2. desktop-file-validate and appstreamcli accept the entry and the description;
#   3. the installed game, started from another folder, finds its package under share/ and
#      writes the player's profile under $XDG_DATA_HOME and nowhere else; the installed
#      simulator finds the package too.
set -u
BUILD_DIR=${1:?usage: installed_game.sh BUILD_DIR}
OUT=$(cd "$BUILD_DIR" && pwd)/e2e-installed
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

# ---- 1 and 2: the files ----
cmake --install "$BUILD_DIR" --prefix "$prefix" > "$OUT/install.txt" 2>&1 || fail "cmake --install failed (see $OUT/install.txt)"
for file in games/vortalis2 games/orvale-check games/vortalis2-sim share/games/vortalis2/data.oap \
    share/applications/vortalis2.desktop share/metainfo/vortalis2.metainfo.xml share/man/man6/vortalis2.6.gz \
    share/doc/vortalis2/copyright; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 256 128 64 48 32 16; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vortalis2.png
    [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size} pixel icon"
done
cp "$prefix/share/icons/hicolor/256x256/apps/vortalis2.png" "$OUT/icon-256.png" 2>/dev/null
desktop-file-validate "$prefix/share/applications/vortalis2.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/vortalis2.metainfo.xml" || fail "appstreamcli validate"
grep -qx "Categories=Game;ArcadeGame;" "$prefix/share/applications/vortalis2.desktop" || fail "not in Game;ArcadeGame;"

# ---- 3: the installed game, from another folder ----
elsewhere=$tmp/elsewhere
mkdir -p "$elsewhere" "$tmp/home"
export XDG_DATA_HOME=$tmp/data HOME=$tmp/home
profile=$XDG_DATA_HOME/vortalis2/profile/save.osf
cd "$elsewhere"
VORTALIS2=$prefix/games/vortalis2 launch "$OUT/console.txt"
wait_line "$OUT/console.txt" "asset package mount successful." 60 || fail "the installed game did not find its package"
wait_line "$OUT/console.txt" "No user profile found. Creating new profile." 5 || fail "a fresh player had a profile"
if [ -n "${game:-}" ]; then
    wait_line "$OUT/console.txt" "Loading fighter select screen" 60 || fail "the menus were not built"
    sleep 1
    import -window "$game" "$OUT/title.png"
    # Start: a game is counted in the profile, which is saved.
    menu_to_stage "$game" "$OUT/console.txt" 1 || fail "the menus did not lead to a stage"
    wait_line "$OUT/console.txt" "START GAME SESSION, UNPAUSING MUSIC" 60 || fail "no stage started"
    import -window "$game" "$OUT/after-start.png"
fi
escape_ends "the installed game's stage"
grep -qx "User profile saved." "$OUT/console.txt" || fail "the installed game saved no profile"
[ "$(head -c 8 "$profile" 2>/dev/null)" = "bplist00" ] || fail "no profile at $profile"
"$BUILD_DIR/orvale-plist" dump "$profile" > "$OUT/profile.json" 2>&1 || fail "orvale-plist could not read the profile"
grep -q '"times played": 1' "$OUT/profile.json" || fail "the profile did not count the game (see $OUT/profile.json)"
[ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into the folder it was started from: $(ls -A "$elsewhere")"
[ ! -e "$prefix/games/profile" ] || fail "the game wrote a profile beside its executable"

# The installed simulator finds the package the same way.
"$prefix/games/vortalis2-sim" --autopilot --max-frames 30 > "$OUT/sim.txt" 2>&1 &&
    grep -q "^result=timeout frames=30 " "$OUT/sim.txt" || fail "the installed vortalis2-sim failed (see $OUT/sim.txt)"

if [ "$failures" = 0 ]; then echo "installed game: all checks passed"; fi
exit $((failures > 0))
