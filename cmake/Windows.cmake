# The Windows build: the Win32 platform layer, the main window host and Dravik.exe.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/PlatformWin32.cmake)

add_executable(Dravik WIN32
  app/win32/main.cpp
  app/win32/main_window.cpp
  app/win32/surface_window.cpp
  app/win32/button_window.cpp
  app/win32/cmd_button_window.cpp
  app/win32/frame_window.cpp
  app/win32/dib_surface.cpp
  app/win32/gdi_text.cpp
  app/win32/resource_pictures.cpp
  resources/dravik.rc
)
target_link_libraries(Dravik PRIVATE dravik_logic dravik_platform_win32 dravik_win32_static gdi32 comctl32)
# Small: sections the program does not reach are dropped, and symbols are stripped.
target_link_options(Dravik PRIVATE -Wl,--gc-sections -s)
set_target_properties(Dravik PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()
