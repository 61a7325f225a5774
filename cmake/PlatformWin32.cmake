# Win32 implementations of the platform interfaces (platform/win32). Included from
# cmake/Windows.cmake, so only in Windows builds.
get_filename_component(_dravik_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

add_library(dravik_platform_win32 STATIC
  ${_dravik_root}/platform/win32/win32_desktop.cpp
  ${_dravik_root}/platform/win32/win32_folder_view.cpp
  ${_dravik_root}/platform/win32/win32_display.cpp
  ${_dravik_root}/platform/win32/win32_registry.cpp
  ${_dravik_root}/platform/win32/win32_system.cpp
  ${_dravik_root}/platform/win32/win32_ui.cpp
  ${_dravik_root}/platform/win32/win32_shell.cpp
  ${_dravik_root}/platform/win32/win32_programs.cpp
  ${_dravik_root}/platform/win32/system_library.cpp
  ${_dravik_root}/platform/win32/com_apartment.cpp
)
dravik_layer_headers(dravik_platform_win32 PUBLIC FOLDERS platform/win32)
dravik_shipped_code(dravik_platform_win32)
# NOMINMAX is public: the headers pull in windows.h (scoped.h), and its min/max macros would
# break std::min/std::max in every file that includes them.
target_compile_definitions(dravik_platform_win32 PUBLIC NOMINMAX)
target_link_libraries(dravik_platform_win32 PUBLIC dravik_platform advapi32 user32 shell32 kernel32)

# Link the GCC and C++ runtimes (and winpthread of the posix compilers) into the executable,
# so that it runs without MinGW DLLs beside it.
add_library(dravik_win32_static INTERFACE)
target_link_options(dravik_win32_static INTERFACE -static -static-libgcc -static-libstdc++)
