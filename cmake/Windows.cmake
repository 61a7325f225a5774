# The Windows build: the Win32 platform layer, the window host and Dravik.exe.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/PlatformWin32.cmake)

# The window kit (wingui): the window base and its binding, the subclass chain, the DIB surface
# and GDI text, the DPI and message-filter helpers. It knows nothing of the program: it sees
# platform/win32 (the handle owners, scoped.h) and the drawing interfaces of controls/paint,
# which the DIB surface and the text serve, and nothing of app/ or the rest of controls/.
add_library(dravik_wingui STATIC
  wingui/window_base.cpp
  wingui/subclass.cpp
  wingui/dib_surface.cpp
  wingui/gdi_text.cpp
  wingui/dpi.cpp
  wingui/message_filter.cpp
)
dravik_layer_headers(dravik_wingui PUBLIC FOLDERS wingui controls/paint)
target_link_libraries(dravik_wingui PUBLIC dravik_platform_win32 gdi32 user32)
# The code of controls/paint, for the programs that link the kit; INTERFACE, so that the kit
# itself sees none of the headers of controls/ beyond those of controls/paint above.
target_link_libraries(dravik_wingui INTERFACE dravik_controls)
dravik_shipped_code(dravik_wingui)

# The Win32 host of the program's windows: everything of app/win32 but the entry point, so
# that the host tests drive the same windows the program shows.
add_library(dravik_win32_host STATIC
  app/win32/main_window.cpp
  app/win32/form_host_window.cpp
  app/win32/skinned_button_window.cpp
  app/win32/surface_window.cpp
  app/win32/button_window.cpp
  app/win32/cmd_button_window.cpp
  app/win32/frame_window.cpp
  app/win32/resource_pictures.cpp
  app/win32/tray_window.cpp
  app/win32/about_window.cpp
  app/win32/remote_command.cpp
  app/win32/accessible.cpp
  app/win32/accessible_controls.cpp
  app/win32/accessible_window.cpp
)
dravik_layer_headers(dravik_win32_host PUBLIC FOLDERS app/win32)
# oleacc, ole32 and oleaut32, which the accessible objects use, are loaded when a screen reader
# first asks (accessible.cpp); uuid gives IID_IDispatch.
target_link_libraries(dravik_win32_host PUBLIC dravik_logic dravik_wingui dravik_platform_win32 gdi32 comctl32 uuid)
dravik_shipped_code(dravik_win32_host)

add_executable(Dravik WIN32
  app/win32/main.cpp
  app/win32/no_exceptions.cpp
  resources/dravik.rc
)
dravik_shipped_code(Dravik)
# The pictures' paths in pictures.rc are relative to resources/.
target_include_directories(Dravik PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/resources)
# The resource compiler's dependency scan sees neither the manifest nor the pictures: a change
# to one of them must still rebuild the resources.
file(GLOB DRAVIK_PICTURE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/pictures/*.bmp
     ${CMAKE_CURRENT_SOURCE_DIR}/resources/pictures/*.ico)
set_source_files_properties(resources/dravik.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/resources/dravik.manifest;${DRAVIK_PICTURE_FILES}")
target_link_libraries(Dravik PRIVATE dravik_win32_host dravik_win32_static)
# Sections that start on a page in the file: Wine maps such sections straight from the exe,
# clean and shared, and reads any other into private memory of each process (about 300 KB of
# it for the 64-bit build). Windows maps either kind; the padding costs the file some 20 KB of
# zeros, which the release zip squeezes out. minwin, the start-up benchmark's yardstick, is
# linked the same way (tools/CMakeLists.txt).
set(DRAVIK_IMAGE_LINK_OPTIONS -Wl,--file-alignment,4096)
# Small: sections the program does not reach are dropped, and symbols are stripped.
target_link_options(Dravik PRIVATE -Wl,--gc-sections -s ${DRAVIK_IMAGE_LINK_OPTIONS})
set_target_properties(Dravik PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Dravik.com, the console companion (app/win32/dravik_com.cpp): cmd runs it before Dravik.exe
# and waits for it. No C or C++ runtime and kernel32 only, with an entry point of its own.
add_executable(DravikCom app/win32/dravik_com.cpp)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_dravik_com_entry DravikComStart)
else()
  set(_dravik_com_entry _DravikComStart@0)
endif()
target_compile_options(DravikCom PRIVATE -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                       -fno-stack-protector -fno-builtin)
target_link_options(DravikCom PRIVATE -nostdlib -nostartfiles -s -Wl,--gc-sections
                    -Wl,-e,${_dravik_com_entry} -Wl,--subsystem,console)
target_link_libraries(DravikCom PRIVATE kernel32)
set_target_properties(DravikCom PROPERTIES OUTPUT_NAME Dravik SUFFIX ".com"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Beside Dravik.exe whenever Dravik.exe is built.
add_dependencies(Dravik DravikCom)

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/ReleaseZip.cmake)
