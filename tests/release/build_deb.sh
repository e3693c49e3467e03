#!/usr/bin/env bash
# Builds the Debian package as `make deb` does: configures DEB_DIR for the Debian layout (once),
# builds what the package holds and runs `cpack -G DEB` there. The package is left alone in
# DEB_DIR as vortalis2_VERSION_ARCH.deb; its path is the last line printed.
#   build_deb.sh SOURCE_DIR DEB_DIR [CMAKE_ARGUMENTS...]
set -u
SOURCE_DIR=${1:?usage: build_deb.sh SOURCE_DIR DEB_DIR [CMAKE_ARGUMENTS...]}
DEB_DIR=${2:?usage: build_deb.sh SOURCE_DIR DEB_DIR [CMAKE_ARGUMENTS...]}
shift 2
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$DEB_DIR" && cmake -S "$SOURCE_DIR" -B "$DEB_DIR" -G Ninja -DORVALE_DEB_PACKAGE=ON -DBUILD_TESTING=OFF "$@" > "$DEB_DIR/configure.txt" 2>&1 ||
    { tail -20 "$DEB_DIR/configure.txt"; fail "configuring $DEB_DIR"; }
cmake --build "$DEB_DIR" --target deb_contents || fail "building $DEB_DIR"
rm -f "$DEB_DIR"/vortalis2_*.deb
(cd "$DEB_DIR" && cpack -G DEB) || fail "cpack -G DEB in $DEB_DIR"
deb=$(ls "$DEB_DIR"/vortalis2_*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "cpack made no vortalis2_*.deb in $DEB_DIR"
echo "$deb"
