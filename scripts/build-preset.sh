# Sourced by the scripts that build presets: build_preset PRESET configures and builds one
# preset of CMakePresets.json with its output in $LOGDIR/configure-PRESET.log and
# build-PRESET.log, writes the seconds it took to build-PRESET.seconds and its status (0 or
# 1) to build-PRESET.rc, and returns that status. Needs ROOT and LOGDIR. BUILD_JOBS sets the
# parallel jobs (default 2, one per processor of the bench machine); CONFIGURE_ARGS, extra
# arguments of the configure step; BUILD_TARGETS, the targets to build (default all).
#
# The presets build with Ninja; a build folder that an older preset made with another
# generator is made afresh (CMake refuses to switch generators in place).
build_preset() {
    local preset="$1" t0 rc=0
    t0=$(date +%s)
    if [ -f "$ROOT/build/$preset/CMakeCache.txt" ] &&
        ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$ROOT/build/$preset/CMakeCache.txt"; then
        rm -rf "${ROOT:?}/build/$preset"
    fi
    # shellcheck disable=SC2086 # CONFIGURE_ARGS is a list of words
    cmake --preset "$preset" ${CONFIGURE_ARGS:-} >"$LOGDIR/configure-$preset.log" 2>&1 &&
        cmake --build --preset "$preset" -j"${BUILD_JOBS:-2}" ${BUILD_TARGETS:+--target $BUILD_TARGETS} \
            >"$LOGDIR/build-$preset.log" 2>&1 || rc=1
    echo $(($(date +%s) - t0)) >"$LOGDIR/build-$preset.seconds"
    echo "$rc" >"$LOGDIR/build-$preset.rc"
    return "$rc"
}
