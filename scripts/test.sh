#!/usr/bin/env bash
# The test command: builds the native, win64, win32 and asan presets, starts the test bench
# (private Xorg with the dummy driver, Wine), runs the native tests (unit and end-to-end, the
# short soak among them), the Win32-layer tests under Wine, and from the asan preset the unit
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer and each fuzz target for a
# few seconds; stops the bench and exits non-zero if anything failed. The last line is
# "N passed, N failed" over all test runs. The full soak is scripts/soak.sh.
#
# What waits overlaps with what computes: the bench (whose first start makes the Wine prefix,
# mostly waiting on Wine) starts while the presets build, and the asan preset builds and runs
# its tests (and where no 32-bit program runs, the win32 preset, which then only the release
# zip's test reads, builds) at the lowest priority while the end-to-end and Wine tests run,
# which leave about one of the two processors idle; at that priority the background takes
# only what they leave.
#
# Environment: DRAVIK_BENCH_DISPLAY (first private display number tried, default 92);
# DRAVIK_REQUIRE_WIN32=1 makes it a failure when 32-bit Windows programs cannot run here
# (otherwise the 64-bit build stands in for the 32-bit one, with a warning).
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
LOGDIR="$ROOT/build/test-logs"

t_start=$(date +%s)
elapsed() { echo $(($(date +%s) - $1)); }
say() { echo "test.sh: $*"; }

need_setup=0
for tool in cmake ninja g++ clang++ i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine wineserver \
    Xorg xrandr xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || need_setup=1
done
[ -d /usr/src/googletest ] || need_setup=1
[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] || need_setup=1
# libFuzzer and the sanitizers' runtimes (libclang-rt-14-dev).
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null || need_setup=1
if [ "$need_setup" = 1 ]; then
    say "tools missing; running scripts/setup.sh"
    bash "$ROOT/scripts/setup.sh" || { say "setup failed"; echo "0 passed, 1 failed"; exit 1; }
fi

mkdir -p "$LOGDIR"
rm -f "$LOGDIR"/*.rc "$LOGDIR"/*.seconds "$LOGDIR"/ctest-*.log

# The bench always goes away again, also when this script fails or is interrupted.
bench_pid=""
bench_up=0
bench_failed=0
background_pid=""
cleanup() {
    if [ -n "$background_pid" ]; then
        kill -- "-$background_pid" 2>/dev/null || kill "$background_pid" 2>/dev/null || true
        background_pid=""
    fi
    if [ -n "$bench_pid" ]; then
        wait "$bench_pid" 2>/dev/null || true
        bench_pid=""
        bench_up=1
    fi
    if [ "$bench_up" = 1 ]; then
        "$ROOT/scripts/testbench.sh" stop || true
        bench_up=0
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$ROOT/scripts/testbench.sh" start >"$LOGDIR/bench.log" 2>&1 </dev/null &
bench_pid=$!
say "bench starting in the background (log in $LOGDIR/bench.log)"

# shellcheck source=scripts/build-preset.sh
. "$ROOT/scripts/build-preset.sh"

build_failures=0
declare -A built
# Reads the outcome of one preset's build_preset.
note_build() {
    local preset="$1" seconds
    seconds="$(cat "$LOGDIR/build-$preset.seconds" 2>/dev/null || echo "?")"
    if [ "$(cat "$LOGDIR/build-$preset.rc" 2>/dev/null)" = 0 ]; then
        built[$preset]=1
        say "built $preset in $seconds s"
    else
        built[$preset]=0
        build_failures=$((build_failures + 1))
        say "BUILD FAILED: $preset (logs in $LOGDIR)"
        tail -n 40 "$LOGDIR/configure-$preset.log" "$LOGDIR/build-$preset.log" 2>/dev/null
    fi
}

# Where the 32-bit loader cannot start (no wine32, or a kernel without ia32 emulation), no test
# here runs anything of the i686 build; only the release zip's test reads it. The win32 preset's
# release zip (Dravik.exe and Dravik.com, not the tests and tools) then builds in the background
# after asan, at the lowest priority (its failure still fails the run), and the release zip's
# test runs once it is built. Elsewhere the i686 build's tests run under Wine, and the whole
# preset is built before them.
# Debian's /usr/bin/wine runs the 64-bit loader when wine32 is not installed (saying so on
# standard error only), so `wine --version` answers either way: ask the 32-bit loader itself.
can_run_32bit() {
    if [ -e /usr/lib/wine/wine64 ]; then
        /usr/lib/wine/wine --version >/dev/null 2>&1
    else
        wine --version >/dev/null 2>&1
    fi
}
win32_background=1
if can_run_32bit; then win32_background=0; fi
presets=(native win64)
if [ "$win32_background" = 0 ]; then presets+=(win32); fi
# The soak's counting copy of the program (the host's sources built once more) is run only by
# scripts/soak.sh, and only from a build whose programs can run: the i686 one leaves it out
# where it cannot run; the win64 build keeps it. Said each time, so that the cache keeps no
# earlier choice.
win32_soak=ON
if [ "$win32_background" = 1 ]; then win32_soak=OFF; fi

# What the end-to-end and Wine tests need first, one preset after the other (each alone
# fills both processors).
for preset in "${presets[@]}"; do
    if [ "$preset" = win32 ]; then
        CONFIGURE_ARGS="-DDRAVIK_SOAK_BUILD=$win32_soak" build_preset "$preset"
    else
        build_preset "$preset"
    fi
    note_build "$preset"
done
# Its own process group, so that an interrupted run ends the whole build. One job at a time:
# the end-to-end tests keep a processor of their own (Wine, X and the program hand work to
# each other and slow down by half when two compilers share both processors with them).
# The unit tests under the sanitizers, any report failing its test, and each fuzz target for
# a few seconds over its committed seeds and what earlier runs found, run there too, once
# their build is done: ctest-asan.rc tells the foreground that they have ended.
set -m
ROOT="$ROOT" LOGDIR="$LOGDIR" WIN32_BACKGROUND="$win32_background" WIN32_SOAK="$win32_soak" \
    BUILD_JOBS=1 nice -n 19 bash -c '. "$ROOT/scripts/build-preset.sh"
        if build_preset asan; then
            t0=$(date +%s)
            ctest --preset asan -j1 >"$LOGDIR/ctest-asan.log" 2>&1
            rc=$?
            echo $(($(date +%s) - t0)) >"$LOGDIR/ctest-asan.seconds"
            echo "$rc" >"$LOGDIR/ctest-asan.rc"
        fi
        [ "$WIN32_BACKGROUND" = 0 ] ||
            CONFIGURE_ARGS="-DDRAVIK_SOAK_BUILD=$WIN32_SOAK" BUILD_TARGETS=release_zip build_preset win32' \
    >/dev/null 2>&1 </dev/null &
background_pid=$!
set +m
if [ "$win32_background" = 1 ]; then
    say "asan (build and tests), then win32, in the background at the lowest priority, one job at a time"
else
    say "asan (build and tests) in the background at the lowest priority, one job at a time"
fi

t0=$(date +%s)
wait "$bench_pid"
bench_rc=$?
bench_pid=""
if [ "$bench_rc" = 0 ]; then
    bench_up=1
    # shellcheck disable=SC1091
    . "$ROOT/build/testbench/env.sh"
    say "bench ready ($(grep -o 'bench ready.*' "$LOGDIR/bench.log" | head -n 1); waited $(elapsed "$t0") s more)"
else
    say "BENCH FAILED TO START"
    tail -n 40 "$LOGDIR/bench.log"
    bench_failed=1
    # A start that fails stops what it had started; nothing is left to stop.
fi

total_passed=0
total_failed=0
total_skipped=0

# Adds the counts of one ctest run from its log (ctest-NAME.log); a run that reports no
# summary counts as one failure. The second argument says how long it took.
count_ctest() {
    local name="$1" took="$2" log="$LOGDIR/ctest-$1.log" summary total failed skipped
    summary="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" 2>/dev/null | tail -n 1)"
    if [ -z "$summary" ]; then
        say "ctest $name gave no summary (exit $(cat "$LOGDIR/ctest-$name.rc" 2>/dev/null || echo "?"))"
        total_failed=$((total_failed + 1))
        return
    fi
    failed="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")"
    total="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")"
    # ctest counts skipped tests among the passed ones; they are listed as "(Skipped)".
    skipped="$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log")"
    total_passed=$((total_passed + total - failed - skipped))
    total_failed=$((total_failed + failed))
    total_skipped=$((total_skipped + skipped))
    say "ctest $name: $((total - failed - skipped)) passed, $failed failed, $skipped skipped in $took s"
}

# Runs one ctest in the foreground, its output shown and kept, and adds its counts.
run_ctest() {
    local name="$1" t0 rc
    shift
    t0=$(date +%s)
    say "ctest $name: ctest $*"
    ctest "$@" 2>&1 | tee "$LOGDIR/ctest-$name.log"
    rc=${PIPESTATUS[0]}
    echo "$rc" >"$LOGDIR/ctest-$name.rc"
    count_ctest "$name" "$(elapsed "$t0")"
}

win_dir="$ROOT/build/win32"
win_ctest_args=(--preset win32)
if [ "$bench_up" = 1 ] && [ "${DRAVIK_WINE32_OK:-0}" != 1 ]; then
    if [ "${DRAVIK_REQUIRE_WIN32:-0}" = 1 ]; then
        say "32-bit Windows programs cannot run here and DRAVIK_REQUIRE_WIN32=1"
        total_failed=$((total_failed + 1))
    fi
    say "WARNING: 32-bit Windows programs cannot run under Wine on this machine;" \
        "the win64 build stands in for the i686 release in the Windows tests"
    win_dir="$ROOT/build/win64"
    win_ctest_args=(--test-dir "$ROOT/build/win64" --output-on-failure)
fi
# The unit tests need no bench; without one the end-to-end tests fail (CI) or skip. The
# full soak (label "soak") is scripts/soak.sh. The unit tests run two at a time; the
# end-to-end tests share the display and run alone (RUN_SERIAL).
native_later=()
if [ "$win32_background" = 1 ]; then native_later=(-E '^release\.zip$'); fi
if [ "${built[native]}" = 1 ]; then
    DRAVIK_WIN32_BUILD_DIR="$win_dir" DRAVIK_I686_BUILD_DIR="$ROOT/build/win32" \
        run_ctest native --preset native -j2 -LE '^soak$' "${native_later[@]}"
fi
if [ "$bench_up" = 1 ] && [ -f "$win_dir/CTestTestfile.cmake" ]; then
    run_ctest "$(basename "$win_dir")" "${win_ctest_args[@]}"
fi
t0=$(date +%s)
# The background job may go on with win32 after asan: the status files tell when the asan
# build, and after it its tests, are done.
while [ ! -f "$LOGDIR/build-asan.rc" ] && kill -0 "$background_pid" 2>/dev/null; do sleep 1; done
note_build asan
if [ "${built[asan]}" = 1 ]; then
    while [ ! -f "$LOGDIR/ctest-asan.rc" ] && kill -0 "$background_pid" 2>/dev/null; do sleep 1; done
    say "waited $(elapsed "$t0") s for the asan build and tests"
    say "ctest asan: ctest --preset asan -j1 (in the background)"
    cat "$LOGDIR/ctest-asan.log" 2>/dev/null
    count_ctest asan "$(cat "$LOGDIR/ctest-asan.seconds" 2>/dev/null || echo "?")"
else
    say "waited $(elapsed "$t0") s for the asan build"
fi

if [ "$win32_background" = 1 ]; then
    t0=$(date +%s)
    wait "$background_pid"
    note_build win32
    say "waited $(elapsed "$t0") s for the win32 build"
    if [ "${built[native]}" = 1 ]; then
        DRAVIK_I686_BUILD_DIR="$ROOT/build/win32" run_ctest release-zip --preset native -R '^release\.zip$'
    fi
fi
background_pid=""

cleanup
trap - EXIT

# A bench that never came up, or a build that failed, is a failure of its own.
total_failed=$((total_failed + build_failures + bench_failed))
say "finished in $(elapsed "$t_start") s; logs in $LOGDIR"
if [ "$total_skipped" -gt 0 ]; then say "$total_skipped skipped"; fi
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
