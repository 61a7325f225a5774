# dravik_compile_in_batches(<target>): the target's C++ sources compile a few at a time in one
# compiler run (CMake's unity build), so that the headers they share are parsed once a batch
# instead of once a source. MinGW's windows.h and the C++ library's headers take a MinGW
# compiler one to three seconds a source before a line of ours, which was most of the
# Windows builds' time.
#
# Only for code that does not ship: the test programs and the soak's counting copy of the
# program. Dravik.exe and the libraries it links compile one source at a time, so that a
# batch never changes what the release holds (the sources' file-local names would then share
# one scope, and the optimiser would see across them).
#
# Eight sources a batch keeps both processors of the bench machine busy on the larger
# targets.
function(dravik_compile_in_batches target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
endfunction()
