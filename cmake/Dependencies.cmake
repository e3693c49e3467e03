# Every dependency comes from Debian's packages (see the Makefile's package list).
find_package(SFML 2.5 REQUIRED COMPONENTS system window graphics audio)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(GLEW REQUIRED)
find_package(pugixml REQUIRED)
find_package(Boost 1.74 REQUIRED)
find_package(Threads REQUIRED)

find_path(PHYSFS_INCLUDE_DIR physfs.h REQUIRED)
find_library(PHYSFS_LIBRARY physfs REQUIRED)
add_library(PhysFS::PhysFS UNKNOWN IMPORTED)
set_target_properties(PhysFS::PhysFS PROPERTIES
  IMPORTED_LOCATION ${PHYSFS_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${PHYSFS_INCLUDE_DIR})

find_path(LODEPNG_INCLUDE_DIR lodepng.h REQUIRED)
find_library(LODEPNG_LIBRARY lodepng REQUIRED)
add_library(lodepng::lodepng UNKNOWN IMPORTED)
set_target_properties(lodepng::lodepng PROPERTIES
  IMPORTED_LOCATION ${LODEPNG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${LODEPNG_INCLUDE_DIR})

find_library(GLU_LIBRARY GLU REQUIRED)

# Game controllers: SDL2's controller layer and its mapping database (only that subsystem is
# started; SFML keeps the window and the keyboard).
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
