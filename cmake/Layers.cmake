# The layers, each a library that links only the layers beneath it:
#   platform (the interfaces; platform/memory and platform/win32 implement them)
#   controls, modes, settings
#   icons, tray, launch
#   app (app/win32 hosts it on Win32)
#
# All folders sit under one root and include each other by root-relative paths
# ("modes/display_mode.h"), so the root itself is never an include directory: that would make
# every header reachable from everywhere. Instead each layer has an include folder of its own
# in the build tree holding links to its source folders and nothing else, and a library sees
# its own folder and those of the libraries it links. An include of a higher layer's header
# then fails to compile: "app/form_main.h: No such file or directory".

# dravik_layer_headers(<target> <PUBLIC|INTERFACE|PRIVATE> [FOLDERS <folder>...] [HEADERS_OF <folder>...])
# FOLDERS: folders (relative to the source root) reachable whole, subfolders included.
# HEADERS_OF: folders of which only the headers directly inside are reachable, not their
# subfolders (platform/ holds the interfaces, platform/win32 one of their implementations).
function(dravik_layer_headers target scope)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FOLDERS;HEADERS_OF")
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  # Made afresh at each configure run, so that a header moved to another layer is gone here.
  file(REMOVE_RECURSE ${root})
  foreach(folder IN LISTS arg_FOLDERS)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  foreach(folder IN LISTS arg_HEADERS_OF)
    # A header added to the folder is linked at the next build (CONFIGURE_DEPENDS).
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS headers)
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()
