# Installing the game as a Linux game: `cmake --install build --prefix PREFIX` (or
# `make install PREFIX=...`) puts
#   PREFIX/games/                  the game, its runner and its content checker
#   PREFIX/share/games/vortalis2/  data.oap, which the programs look for at
#                                  ../share/games/vortalis2/ from their own folder when there is
#                                  none beside them
#   PREFIX/share/applications/     the desktop entry
#   PREFIX/share/icons/hicolor/    the icon in each size, drawn by orvale-artgen
#   PREFIX/share/metainfo/         the AppStream description
#   PREFIX/share/man/man6/         the manual pages, gzipped
#   PREFIX/share/doc/vortalis2/    the copyright and the changelog
# The player's profile is not installed: the game writes it under $XDG_DATA_HOME. The Debian
# package (cmake/Package.cmake) is this install under /usr. The content author's tools
# (orvale-plist, orvale-pattern) stay in the build folder.

install(TARGETS vortalis2 vortalis2-sim orvale-check RUNTIME DESTINATION ${ORVALE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/data.oap DESTINATION ${ORVALE_INSTALL_DATADIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/vortalis2.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/vortalis2.metainfo.xml DESTINATION share/metainfo)
foreach(size IN LISTS ORVALE_ICON_SIZES)
  install(FILES ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/vortalis2.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
