# Where an installed VORTALIS 2 keeps its programs and its package, relative to the install
# prefix. Two layouts:
#   the default (`make install`):  bin/ and share/vortalis2/data.oap
#   ORVALE_DEB_PACKAGE=ON (`make deb`, cmake/Package.cmake): Debian's games layout, games/ and
#                                   share/games/vortalis2/data.oap, under the prefix /usr
# The programs find their package beside themselves first (a build folder), then in the data
# folder of their layout, reached from their own folder by ORVALE_DATA_FROM_PROGRAM, which is
# compiled into the data layer (data/AssetPackage.cpp); so an installed program finds its
# package whatever the prefix.
option(ORVALE_DEB_PACKAGE "Lay the install out as a Debian games package and set up CPack's DEB generator" OFF)
if(ORVALE_DEB_PACKAGE)
  set(ORVALE_INSTALL_BINDIR games)
  set(ORVALE_INSTALL_DATADIR share/games/vortalis2)
else()
  set(ORVALE_INSTALL_BINDIR bin)
  set(ORVALE_INSTALL_DATADIR share/vortalis2)
endif()
file(RELATIVE_PATH ORVALE_DATA_FROM_PROGRAM /prefix/${ORVALE_INSTALL_BINDIR} /prefix/${ORVALE_INSTALL_DATADIR})
