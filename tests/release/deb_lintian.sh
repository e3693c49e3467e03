#!/usr/bin/env bash
# lintian finds no error and no warning in the Debian package that is not overridden (each
# override carries its reason in dist/debian/lintian-overrides), and the package holds what a
# player and Debian expect, where they expect it.
#   deb_lintian.sh DEB_DIR
set -u
DEB_DIR=${1:?usage: deb_lintian.sh DEB_DIR}
fail() { echo "FAIL: $*"; exit 1; }
deb=$(ls "$DEB_DIR"/vortalis2_*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "no vortalis2_*.deb in $DEB_DIR (the deb_package test builds it)"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for file in /usr/games/vortalis2 /usr/games/vortalis2-sim /usr/games/orvale-check \
    /usr/share/games/vortalis2/data.oap /usr/share/applications/vortalis2.desktop \
    /usr/share/metainfo/vortalis2.metainfo.xml /usr/share/icons/hicolor/256x256/apps/vortalis2.png \
    /usr/share/man/man6/vortalis2.6.gz /usr/share/doc/vortalis2/copyright \
    /usr/share/doc/vortalis2/changelog.Debian.gz; do
    echo "$contents" | grep -qx "$file" || fail "the package lacks $file"
done
control=$(dpkg-deb -f "$deb" Section Depends)
echo "$control"
echo "$control" | grep -qx "Section: games" || fail "not in section games"
# The dependencies come from the programs' own links.
echo "$control" | grep -q "libsfml-graphics" || fail "dpkg-shlibdeps did not name the libraries the game links"

command -v lintian > /dev/null || fail "lintian is not installed (make deps installs it)"
# (--show-overrides would count the overridden warnings as failures too.)
lintian --fail-on error,warning --display-info "$deb"
status=$?
[ $status -eq 0 ] || fail "lintian found errors or warnings that are not overridden"
echo "lintian: no error, no warning left without an override"
