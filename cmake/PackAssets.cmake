# Lays the package out by package path in STAGE_DIR and zips it into OUTPUT.
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

file(GLOB_RECURSE files RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
list(SORT files)
file(REMOVE ${OUTPUT})
# Paths in the archive are relative to the stage, so run from there.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${OUTPUT} --format=zip -- ${files}
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Could not write ${OUTPUT}")
endif()
