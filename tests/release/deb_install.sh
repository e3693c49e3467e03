#!/usr/bin/env bash
# The Debian package on a fresh Debian 12: debootstrap makes a minimal bookworm root (with the
# libraries the package depends on, so that one download does it), apt installs the package
# there, the installed runner plays the first stage to its end and the installed checker finds
# no fault in the installed data, both started from /usr/games as a player would; then apt purges
# the package and not one file of it may be left: the root's file list after the purge must be
# the list from before the install.
# Skips (exit 77) where that cannot run: not root, no debootstrap, no way to the mirror, or a
# machine that refuses debootstrap or chroot.
#   deb_install.sh DEB_DIR   (the folder holding vortalis2_*.deb)
set -u
DEB_DIR=${1:?usage: deb_install.sh DEB_DIR}
SUITE=bookworm
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
deb=$(ls "$DEB_DIR"/vortalis2_*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "no vortalis2_*.deb in $DEB_DIR (the deb_package test builds it)"
DEB_DIR=$(cd "$DEB_DIR" && pwd)
WORK=$DEB_DIR/deb-install  # the logs, and the downloads kept for the next run
mkdir -p "$WORK"

[ "$(id -u)" = 0 ] || skip "debootstrap and chroot need root"
command -v debootstrap > /dev/null || skip "debootstrap is not installed (make deps installs it)"
# The machine's own Debian mirror, as apt is configured (one-line or deb822 sources).
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    sed -nE 's|^deb +(\[[^]]*\] +)?(https?://[^ ]+/debian)/? .*|\2|p; s|^URIs: *(https?://[^ ]+/debian)/?$|\1|p' | head -1)
mirror=${mirror:-http://deb.debian.org/debian}
curl -fsI --max-time 20 "$mirror/dists/$SUITE/Release" > /dev/null ||
    skip "the Debian mirror $mirror cannot be reached"

# The package's dependencies by name (the first of each set of alternatives), for --include.
include=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/\|.*//; s/\(.*\)//; s/[[:space:]]//g' | grep . | paste -sd,)
root=$(mktemp -d "${TMPDIR:-/tmp}/vortalis2-root.XXXXXX")
cleanup() {
    umount "$root/proc" 2> /dev/null
    mountpoint -q "$root/proc" || rm -rf --one-file-system "$root"
}
trap cleanup EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }
# The installed programs run as a player does, with a home of their own under /tmp: what they
# write there (the sound library's settings, say) is the player's, not the package's.
as_player() { mkdir -p "$root/tmp/player" && chroot "$root" env -i PATH=/usr/bin:/bin:/usr/games \
    HOME=/tmp/player LANG=C.UTF-8 "$@"; }
# Every path in the root but the kernel's, the scratch folders and apt's and dpkg's own records.
file_list() {
    (cd "$root" && find . -xdev \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./run -o -path ./tmp \
        -o -path ./var/log -o -path ./var/cache/apt -o -path ./var/lib/apt -o -path ./var/cache/debconf \) -prune \
        -o -print | grep -vE '^\./var/lib/dpkg/[^/]+-old$' | LC_ALL=C sort)
}

# ---- a fresh Debian 12 ----
started=$SECONDS
cache=$WORK/debootstrap-cache  # the downloaded packages, kept for the next run
mkdir -p "$cache"
debootstrap --variant=minbase --include="$include" --cache-dir="$cache" "$SUITE" "$root" "$mirror" \
    > "$WORK/debootstrap.txt" 2>&1 || {
    tail -5 "$WORK/debootstrap.txt"
    skip "debootstrap could not make a $SUITE root here (see $WORK/debootstrap.txt)"
}
echo "debootstrap: $((SECONDS - started)) s"
mount -t proc proc "$root/proc" 2> /dev/null || mount --bind /proc "$root/proc" 2> /dev/null ||
    skip "cannot mount /proc in the root, which the programs read to find their folder"
before=$(file_list)

# ---- install with apt ----
step=$SECONDS
cp "$deb" "$root/tmp/"
if ! in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" > "$WORK/install.txt" 2>&1; then
    # A dependency debootstrap did not bring: let apt fetch it.
    { in_root apt-get update -q && in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")"; } \
        >> "$WORK/install.txt" 2>&1 || { tail -20 "$WORK/install.txt"; fail "apt could not install the package"; }
fi
echo "install: $((SECONDS - step)) s"
missing=$(in_root ldd /usr/games/vortalis2 /usr/games/vortalis2-sim /usr/games/orvale-check | grep "not found")
[ -z "$missing" ] || fail "the dependencies leave libraries out: $missing"

# ---- the installed programs, from / with nothing beside them ----
step=$SECONDS
result=$(as_player /usr/games/vortalis2-sim --seed 7 --autopilot 2> "$WORK/sim-stderr.txt") ||
    { tail -5 "$WORK/sim-stderr.txt"; fail "the installed vortalis2-sim failed: $result"; }
echo "$result"
case "$result" in
    result=clear*|result=gameover*) ;;
    *) fail "the installed runner did not play the stage to its end: $result" ;;
esac
echo "runner: $((SECONDS - step)) s"
step=$SECONDS
check=$(as_player /usr/games/orvale-check /usr/share/games/vortalis2/data.oap 2>&1) ||
    { echo "$check" | tail -20; fail "the installed orvale-check found faults in the installed data"; }
echo "$check" | tail -1
echo "$check" | grep -q " 0 faults$" || fail "orvale-check did not report 0 faults"
echo "checker: $((SECONDS - step)) s"

# ---- purge: nothing left ----
in_root apt-get purge -y -q vortalis2 > "$WORK/purge.txt" 2>&1 || { tail -20 "$WORK/purge.txt"; fail "apt could not purge"; }
in_root dpkg-query -W -f='${Status}\n' vortalis2 2> /dev/null | grep -q "^install" && fail "dpkg still lists the package"
after=$(file_list)
left=$(comm -13 <(echo "$before") <(echo "$after"))
[ -z "$left" ] || fail "left after the purge: $(echo "$left" | head -20)"
gone=$(comm -23 <(echo "$before") <(echo "$after"))
[ -z "$gone" ] || fail "gone after the purge that was there before: $(echo "$gone" | head -20)"
echo "purge: nothing left; $((SECONDS - started)) s in all"
