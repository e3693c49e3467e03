#!/usr/bin/env bash
# Packs a built build folder as `make deb` does: `cpack -G DEB` there (cmake/Package.cmake), the
# package left in BUILD_DIR as vortalis2_VERSION-1_ARCH.deb; its path is the last line printed.
# A folder configured for the package alone builds the target deb_contents first (-DBUILD_TESTING=OFF
# and `cmake --build DIR --target deb_contents`); the game's own build folder has it built already.
#   build_deb.sh BUILD_DIR
set -u
umask 022  # cpack writes the .deb's members with the modes its temporary files get
BUILD_DIR=${1:?usage: build_deb.sh BUILD_DIR}
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$BUILD_DIR/CPackConfig.cmake" ] || fail "$BUILD_DIR is not a configured build folder"
cmake --build "$BUILD_DIR" --target deb_contents || fail "building what the package holds in $BUILD_DIR"
rm -f "$BUILD_DIR"/vortalis2_*.deb
(cd "$BUILD_DIR" && cpack -G DEB > cpack.txt 2>&1) || { tail -20 "$BUILD_DIR/cpack.txt"; fail "cpack -G DEB in $BUILD_DIR"; }
deb=$(ls "$BUILD_DIR"/vortalis2_*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "cpack made no vortalis2_*.deb in $BUILD_DIR"
echo "$deb"
