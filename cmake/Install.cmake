# Installing the game as a Linux game: `cmake --install build --prefix PREFIX` (or
# `make install PREFIX=...`) puts
#   PREFIX/bin/                 the game and the tools that read its package
#   PREFIX/share/vortalis2/     data.oap, which the game looks for at ../share/vortalis2/ from
#                               its own folder when there is none beside it
#   PREFIX/share/applications/  the desktop entry
#   PREFIX/share/icons/hicolor/ the icon in each size, drawn by orvale-artgen
#   PREFIX/share/metainfo/      the AppStream description
#   PREFIX/share/man/man6/      the manual page
# The player's profile is not installed: the game writes it under $XDG_DATA_HOME.
# The Debian package (ORVALE_DEB_PACKAGE, cmake/Layout.cmake and cmake/Package.cmake) puts the
# game, its runner and its checker in games/ and data.oap in share/games/vortalis2/ instead, and
# adds what Debian asks of a package (the manual pages gzipped, the copyright and changelog).

install(TARGETS vortalis2 RUNTIME DESTINATION ${ORVALE_INSTALL_BINDIR})
if(ORVALE_DEB_PACKAGE)
  set(ORVALE_INSTALLED_TOOLS orvale-check vortalis2-sim)
else()
  set(ORVALE_INSTALLED_TOOLS orvale-plist orvale-pattern orvale-check vortalis2-sim)
endif()
foreach(tool IN LISTS ORVALE_INSTALLED_TOOLS)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${ORVALE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/data.oap DESTINATION ${ORVALE_INSTALL_DATADIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/vortalis2.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/vortalis2.metainfo.xml DESTINATION share/metainfo)
if(NOT ORVALE_DEB_PACKAGE)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/vortalis2.6 DESTINATION share/man/man6)
endif()
foreach(size IN LISTS ORVALE_ICON_SIZES)
  install(FILES ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/vortalis2.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
