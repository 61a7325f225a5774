# Compile options of the code that goes into Dravik.exe: the libraries the tests test and the
# program's own files. dravik_shipped_code(<target>) applies them.
#
# - No exceptions: nothing in the program throws or catches (its failures are return values),
#   and a build without them needs none of the runtime's exception machinery. The library's
#   headers then report their own failures through helpers that end the program
#   (app/win32/no_exceptions.cpp for Dravik.exe). A try or throw in this code no longer
#   compiles, in every build.
# - No thread-safe statics: the program has one thread; the guards of function-local statics
#   would link the runtime's thread library (winpthread in the MinGW builds).
# - No run-time type information in the Windows builds: nothing in the program asks a type at
#   run time (the form hosts switch on a control's Kind(), never dynamic_cast or typeid), and
#   without it no type names or type descriptions go into the program (app/win32/
#   no_exceptions.cpp keeps std::make_shared from asking the library for one). The tests keep
#   theirs for their own types; none asks the type of a shipped object. The native build ships
#   nothing and keeps it: its unit tests derive their hosts from classes of the libraries
#   (StandaloneButtonHost, IconMem), whose type descriptions come with their key functions.
# - No unwind tables in the 32-bit Windows build: with no exceptions nothing unwinds these
#   frames. (64-bit Windows keeps them: its structured exception handling walks the stack
#   with them, for example when the system catches a fault in a window procedure.)
function(dravik_shipped_code target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-threadsafe-statics)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-rtti)
  endif()
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
  endif()
endfunction()
