# The release package, Dravik-<version>-<win32|win64>.zip beside Dravik.exe: Dravik.exe, its
# console companion Dravik.com, the
# README and the README's pictures (docs/screenshots/), made by CPack's ZIP generator from the
# install rules below. Included from cmake/Windows.cmake. The build makes it with Dravik.exe
# (target release_zip, in ALL); `cpack` in the build folder makes the same file.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_dravik_arch win64)
else()
  set(_dravik_arch win32)
endif()

# These are the only install rules of the Windows build, so the zip holds these files only.
install(TARGETS Dravik DravikCom RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
file(GLOB _dravik_shots CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
install(FILES ${_dravik_shots} DESTINATION docs/screenshots)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME Dravik-${PROJECT_VERSION}-${_dravik_arch})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # the files at the top of the zip, no folder around them
set(CPACK_STRIP_FILES OFF)                 # Dravik.exe is linked stripped already (-s)
# CPack builds the "preinstall" target before it installs (Makefile generators); that target
# must not depend on "all", which holds release_zip, or making the zip would start the build
# that makes the zip.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

set(DRAVIK_RELEASE_ZIP ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip)
add_custom_command(OUTPUT ${DRAVIK_RELEASE_ZIP}
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  DEPENDS Dravik DravikCom ${PROJECT_SOURCE_DIR}/README.md ${_dravik_shots}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing ${DRAVIK_RELEASE_ZIP}")
add_custom_target(release_zip ALL DEPENDS ${DRAVIK_RELEASE_ZIP})
