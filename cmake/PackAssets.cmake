# Lays the package out by package path in STAGE_DIR and zips it into OUTPUT.
#   -DPYTHON=python3 -DEPOCH=seconds since 1970 written as every entry's time
#   SOURCE_DIR/plist, texture, audio -> assets/plist, assets/texture, assets/audio
#   SOURCE_DIR/Shaders               -> Shaders
#   GENERATED_DIR/*                  -> as it stands (already by package path)
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR}/assets)
foreach(folder plist texture audio)
  if(EXISTS ${SOURCE_DIR}/${folder})
    file(COPY ${SOURCE_DIR}/${folder} DESTINATION ${STAGE_DIR}/assets)
  endif()
endforeach()
if(EXISTS ${SOURCE_DIR}/Shaders)
  file(COPY ${SOURCE_DIR}/Shaders DESTINATION ${STAGE_DIR})
endif()
if(EXISTS ${GENERATED_DIR})
  file(GLOB generated LIST_DIRECTORIES true ${GENERATED_DIR}/*)
  foreach(entry ${generated})
    file(COPY ${entry} DESTINATION ${STAGE_DIR})
  endforeach()
endif()

# The archive's bytes depend only on what the files hold: sorted entries, one fixed time
# (EPOCH, the build's SOURCE_DATE_EPOCH), fixed permissions, no owners (cmake/pack_zip.py).
execute_process(
  COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/pack_zip.py ${STAGE_DIR} ${OUTPUT} ${EPOCH}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Could not write ${OUTPUT}")
endif()
