# The Debian package: `cpack -G DEB` in a built build folder writes vortalis2_VERSION-1_ARCH.deb
# there (`make deb` builds, then does that in build/; a folder built only for the package needs
# just the target deb_contents). It is cmake/Install.cmake's install under /usr, with what Debian
# asks of every package:
#   /usr/share/man/man6/*.6.gz                    the manual pages, gzipped without a time stamp
#   /usr/share/doc/vortalis2/copyright            the licences, machine-readable
#   /usr/share/doc/vortalis2/changelog.Debian.gz  the package's history
#   /usr/share/lintian/overrides/vortalis2        each lintian finding left in place, with why
# Its programs are stripped, and its dependencies are computed from them by dpkg-shlibdeps.
# The version is the one project() names; a tree without one packs as 0.0.0.
if(PROJECT_VERSION)
  set(ORVALE_DEB_UPSTREAM_VERSION ${PROJECT_VERSION})
else()
  set(ORVALE_DEB_UPSTREAM_VERSION 0.0.0)
endif()
set(ORVALE_DEB_REVISION 1)
set(ORVALE_DEB_VERSION ${ORVALE_DEB_UPSTREAM_VERSION}-${ORVALE_DEB_REVISION})
set(ORVALE_DEB_MAINTAINER "VORTALIS 2 maintainers <maintainers@users.noreply.c-seed-cdf19c1d.example>")

# Files made for the package only, under build/debian-files.
set(deb_files ${CMAKE_BINARY_DIR}/debian-files)
configure_file(${PROJECT_SOURCE_DIR}/dist/debian/changelog.in ${deb_files}/changelog.Debian @ONLY)
set(deb_gzipped "")
foreach(source IN ITEMS ${deb_files}/changelog.Debian ${PROJECT_SOURCE_DIR}/dist/vortalis2.6
                        ${PROJECT_SOURCE_DIR}/dist/vortalis2-sim.6 ${PROJECT_SOURCE_DIR}/dist/orvale-check.6)
  get_filename_component(name ${source} NAME)
  # -n keeps the name and time out of the gzip header, so the package's bytes depend on the text
  # alone; -9 is what Debian expects of manual pages and changelogs.
  add_custom_command(
    OUTPUT ${deb_files}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${deb_files}/gz/${name}
    COMMAND gzip -9nf ${deb_files}/gz/${name}
    COMMAND ${CMAKE_COMMAND} -E rename ${deb_files}/gz/${name}.gz ${deb_files}/${name}.gz
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND deb_gzipped ${deb_files}/${name}.gz)
endforeach()
add_custom_target(deb_files ALL DEPENDS ${deb_gzipped})

# What the package holds, built alone by `cmake --build DIR --target deb_contents` (the rest of
# the tree, the sanitized runner above all, is not needed for it); `cpack` then installs without
# building everything first.
add_custom_target(deb_contents)
add_dependencies(deb_contents vortalis2 vortalis2-sim orvale-check asset_package artgen_icons deb_files)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(FILES ${deb_files}/vortalis2.6.gz ${deb_files}/vortalis2-sim.6.gz ${deb_files}/orvale-check.6.gz
        DESTINATION share/man/man6)
install(FILES ${PROJECT_SOURCE_DIR}/dist/debian/copyright ${deb_files}/changelog.Debian.gz
        DESTINATION share/doc/vortalis2)
install(FILES ${PROJECT_SOURCE_DIR}/dist/debian/lintian-overrides
        DESTINATION share/lintian/overrides RENAME vortalis2)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vortalis2)
set(CPACK_PACKAGE_VERSION ${ORVALE_DEB_UPSTREAM_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ORVALE_DEB_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${ORVALE_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVALE_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical bullet-hell shoot-'em-up")
set(CPACK_PACKAGE_DESCRIPTION
    "VORTALIS 2 is a single-player vertical shoot-'em-up: fly through scripted waves
of fire, graze enemy bullets for score, fill the break gauge to trance, and
bring down the bosses of five stages, in arcade, free play or boss rush.

The package also holds vortalis2-sim, which plays a stage headless (by
autopilot or from a replay) and prints its result, and orvale-check, which
checks the game's content the way the game reads it.")
# dpkg-shlibdeps names the libraries the programs link; what they open by name is added here:
# the settings dialog draws its text in DejaVu Sans, and the game needs an OpenGL driver.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
