# The release package: Dravik-<version>-<win32|win64>.zip beside Dravik.exe, built with it,
# holding Dravik.exe, the README and the README's pictures (docs/screenshots/). Included from
# cmake/Windows.cmake.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_dravik_arch win64)
else()
  set(_dravik_arch win32)
endif()
set(DRAVIK_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Dravik-${PROJECT_VERSION}-${_dravik_arch}.zip)
set(_dravik_stage ${CMAKE_BINARY_DIR}/release-zip)
file(GLOB _dravik_shots CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
set(_dravik_copy_shots)
if(_dravik_shots)
  set(_dravik_copy_shots COMMAND ${CMAKE_COMMAND} -E copy ${_dravik_shots} ${_dravik_stage}/docs/screenshots)
endif()

# Staged in a folder of its own, so that the entries carry no build paths.
add_custom_command(OUTPUT ${DRAVIK_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_dravik_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_dravik_stage}/docs/screenshots
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Dravik> ${PROJECT_SOURCE_DIR}/README.md ${_dravik_stage}
  ${_dravik_copy_shots}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${DRAVIK_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${_dravik_stage}
          ${CMAKE_COMMAND} -E tar cf ${DRAVIK_RELEASE_ZIP} --format=zip -- Dravik.exe README.md docs
  DEPENDS Dravik ${PROJECT_SOURCE_DIR}/README.md ${_dravik_shots}
  COMMENT "Packing ${DRAVIK_RELEASE_ZIP}")
add_custom_target(release_zip ALL DEPENDS ${DRAVIK_RELEASE_ZIP})
