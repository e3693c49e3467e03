# Where an installed VORTALIS 2 keeps its programs and its package, relative to the install
# prefix: Debian's layout for games, games/ and share/games/vortalis2/data.oap, for `make install`
# (under /usr/local by default) and the Debian package (under /usr) alike, so the package is made
# from the build folder the game is tested in.
# The programs find their package beside themselves first (a build folder), then in the data
# folder, reached from their own folder by ORVALE_DATA_FROM_PROGRAM, which is compiled into the
# data layer (data/AssetPackage.cpp); so an installed program finds its package whatever the
# prefix.
set(ORVALE_INSTALL_BINDIR games)
set(ORVALE_INSTALL_DATADIR share/games/vortalis2)
file(RELATIVE_PATH ORVALE_DATA_FROM_PROGRAM /prefix/${ORVALE_INSTALL_BINDIR} /prefix/${ORVALE_INSTALL_DATADIR})
