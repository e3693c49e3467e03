# Two builds of the same sources give the same bytes, whatever folder they are built in and
# whenever they are built.
#
# ORVALE_SOURCE_DATE_EPOCH is the one time written into anything the build makes (the entries
# of data.oap): the SOURCE_DATE_EPOCH environment variable when it is set, else the time of
# the last commit when the sources are a git checkout, else the commit time `make dist`
# stamped into cmake/source-date-epoch when it made the source tarball.
set(ORVALE_SOURCE_DATE_EPOCH "")
set(orvale_epoch_origin "")
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(ORVALE_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
  set(orvale_epoch_origin "the SOURCE_DATE_EPOCH environment variable")
endif()
if(ORVALE_SOURCE_DATE_EPOCH STREQUAL "" AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(
      COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
      WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
      OUTPUT_VARIABLE orvale_commit_time
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET
      RESULT_VARIABLE orvale_git_result)
    if(orvale_git_result EQUAL 0 AND orvale_commit_time MATCHES "^[0-9]+$")
      set(ORVALE_SOURCE_DATE_EPOCH "${orvale_commit_time}")
      set(orvale_epoch_origin "the last commit")
    endif()
  endif()
endif()
if(ORVALE_SOURCE_DATE_EPOCH STREQUAL "")
  # In a checkout this file still reads as its placeholder; git archive replaces it.
  file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/source-date-epoch" orvale_stamped LIMIT_COUNT 1)
  if(orvale_stamped MATCHES "^[0-9]+$")
    set(ORVALE_SOURCE_DATE_EPOCH "${orvale_stamped}")
    set(orvale_epoch_origin "the source tarball's stamp")
  endif()
endif()
if(ORVALE_SOURCE_DATE_EPOCH STREQUAL "")
  # 1980-01-01, the earliest time a ZIP entry can hold: still the same in every build.
  set(ORVALE_SOURCE_DATE_EPOCH 315532800)
  set(orvale_epoch_origin "no commit or stamp found; a fixed date")
endif()
message(STATUS "Build time stamp ${ORVALE_SOURCE_DATE_EPOCH} (from ${orvale_epoch_origin})")

# No folder names in the programs: source and build paths in debug information and in
# __FILE__ are written relative to the top of each tree. The build folder's map comes last so
# it wins when the build folder lies inside the sources.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")

# Installed folders get 0755 whatever the umask of whoever installs or packages; otherwise a
# umask of 002 would show as group-writable folders in the installed tree and the .deb.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# cpack stamps every entry of a .deb with SOURCE_DATE_EPOCH when it is set, and with the files'
# own times when not: hand it the build's time unless the caller set one.
if(NOT CPACK_PROJECT_CONFIG_FILE)
  set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackSourceDateEpoch.cmake")
  file(WRITE "${CPACK_PROJECT_CONFIG_FILE}.tmp"
       "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${ORVALE_SOURCE_DATE_EPOCH})\nendif()\n")
  file(COPY_FILE "${CPACK_PROJECT_CONFIG_FILE}.tmp" "${CPACK_PROJECT_CONFIG_FILE}" ONLY_IF_DIFFERENT)
  file(REMOVE "${CPACK_PROJECT_CONFIG_FILE}.tmp")
endif()
