#!/usr/bin/env bash
# What a player or a bug report reads from the programs without starting a game:
#   vortalis2 --version and vortalis2-sim --version name the version set in CMake, the 16-digit
#   content hash of the package they play from (the one replays name) and the licence, with no
#   display at all (no window, no dialog); without a package --version says so and fails;
#   vortalis2 --help names its options and every environment setting the game's sources read,
#   the test settings marked "(test)", and vortalis2-sim --help those of the runner;
#   an unknown argument is refused with a pointer to --help, and the game's log starts with the
#   version; the metainfo's newest release and NEWS.md's first entry are that version.
set -u
BUILD=${1:?usage: version_and_help.sh BUILD_DIR SOURCE_DIR VERSION}
SOURCE=${2:?usage: version_and_help.sh BUILD_DIR SOURCE_DIR VERSION}
VERSION=${3:?usage: version_and_help.sh BUILD_DIR SOURCE_DIR VERSION}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# No display: a program that tried to open a window or a dialog would fail.
run() { (cd "$WORK" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$@"); }

hash=$("$BUILD/vortalis2-sim" --content-hash 2> /dev/null) || fail "vortalis2-sim --content-hash did not run"

# --version, from both programs.
check_version() {  # first line expected, program...
    local first=$1 out status
    shift
    out=$(run "$@" --version 2> "$WORK/err"); status=$?
    echo "$* --version (status $status):"; echo "$out"
    [ "$status" = 0 ] || fail "$* --version exits $status: $(cat "$WORK/err")"
    [ "$(echo "$out" | wc -l)" = 3 ] || fail "$* --version prints other than three lines"
    [ "$(echo "$out" | sed -n 1p)" = "$first" ] || fail "$* --version does not start \"$first\""
    echo "$out" | sed -n 2p | grep -Eq "^content [0-9a-f]{16} \(" || fail "$* --version gives no content hash"
    [ "$(echo "$out" | sed -n 2p | cut -d' ' -f2)" = "$hash" ] ||
        fail "$* --version's content hash is not the one replays name ($hash)"
    echo "$out" | sed -n 3p | grep -q "MIT" || fail "$* --version names no licence"
}
check_version "VORTALIS 2 $VERSION" "$BUILD/vortalis2"
check_version "vortalis2-sim (VORTALIS 2) $VERSION" "$BUILD/vortalis2-sim"

# Without a package there is no hash to give: --version says so and fails.
mkdir -p "$WORK/alone"
cp "$BUILD/vortalis2" "$WORK/alone/"
out=$(run "$WORK/alone/vortalis2" --version 2> /dev/null); status=$?
[ "$status" = 1 ] || fail "--version without a package exits $status, not 1"
echo "$out" | grep -q "^content unknown: no package could be read at " || fail "--version without a package: $out"
echo "$out" | grep -q "^VORTALIS 2 $VERSION\$" || fail "--version without a package gives no version"

# --help: every environment setting the sources read, each found where the program reads it.
settings_in() { grep -rhoE --include='*.cpp' --include='*.h' '"VORTALIS2_[A-Z0-9_]+"' "$@" | tr -d '"' | sort -u; }
check_help() {  # program, then the folders of its sources
    local program=$1 out status name
    shift
    out=$(run "$program" --help 2> "$WORK/err"); status=$?
    [ "$status" = 0 ] || fail "$program --help exits $status: $(cat "$WORK/err")"
    echo "$out" | grep -q -- "--version" || fail "$program --help does not name --version"
    for name in $(settings_in "$@"); do
        echo "$out" | grep -E "^ +$name\\b" | grep -q "(test)" ||
            fail "$program --help does not list the test setting $name"
    done
}
cd "$SOURCE" || exit 1
check_help "$BUILD/vortalis2" data engine audio stg fx frontend tools/pilot \
    $(find platform -name '*.cpp' -o -name '*.h' | grep -v 'platform/CommandLine\.')
run "$BUILD/vortalis2" --help | grep -q "XDG_DATA_HOME" || fail "vortalis2 --help does not say where the profile is kept"
check_help "$BUILD/vortalis2-sim" tools/vortalis2-sim

# An argument the game does not take: refused, pointing at --help, before any window.
out=$(run "$BUILD/vortalis2" --fullscreen 2> "$WORK/err"); status=$?
[ "$status" = 2 ] || fail "an unknown argument exits $status, not 2"
[ -z "$out" ] || fail "an unknown argument printed: $out"
grep -q "unknown argument '--fullscreen'.*--help" "$WORK/err" || fail "the refusal: $(cat "$WORK/err")"

# Started without a display, the game still logs its version first, then says why it stops.
out=$(run "$BUILD/vortalis2" 2> /dev/null)
[ "$(echo "$out" | head -1)" = "VORTALIS 2 $VERSION" ] || fail "the game's log does not start with its version: $out"

# The release notes name the version the build carries, newest first.
grep -m1 -o '<release version="[^"]*"' "$SOURCE/dist/vortalis2.metainfo.xml" | grep -qF "\"$VERSION\"" ||
    fail "the metainfo's newest release is not $VERSION"
[ "$(grep -m1 '^## ' "$SOURCE/NEWS.md")" = "## $VERSION" ] || fail "NEWS.md does not start with $VERSION"

[ "$failed" = 0 ] && echo "PASS"
exit "$failed"
