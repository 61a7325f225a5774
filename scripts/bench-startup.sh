#!/usr/bin/env bash
# Start-up benchmark (not a test): Dravik.exe against minwin.exe, a minimal Win32 window
# program built the same way (tools/minwin), started alternately in the same Wine prefix on
# the test bench, with minwin_floor beside them: minwin with Dravik's manifest (common
# controls 6), the standard controls Dravik's window must have and its two mode lists filled,
# the least any program doing Dravik's work costs here. For each start tools/startbench.exe (under Wine) records the time from just
# before CreateProcess to
#   visible: a visible top-level window of the new process exists,
#   idle:    the process waits for input with no window left to paint (WaitForInputIdle),
#   drawn:   the screen under the window has reached the picture it keeps once the program
#            has settled (captures every few ms; see tools/startbench/startbench.cpp),
# and, once the program has settled, this script reads the Linux process of the Wine program:
# Private_Dirty from /proc/PID/smaps_rollup (memory only this process has written: heap,
# stacks, relocated and written pages of its modules) and RssAnon from /proc/PID/status.
# It also reads the process's CPU time (user + system) by then. It prints the three programs'
# medians side by side and the ratios to minwin.
#
#   scripts/bench-startup.sh [RUNS]          # default 15 starts of each
#   scripts/bench-startup.sh --trace         # plus 5 traced starts of each (WINEDEBUG=+loaddll...)
#                                            # and their milestones: modules loaded, display driver
#
# Uses the running bench when there is one (build/testbench/env.sh), otherwise starts one and
# stops it again. Runs the i686 build where 32-bit programs run, else the x86_64 build.
# Results: build/bench-startup/ (startbench.txt, memory.txt, traces).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
runs=15
trace=0
for arg in "$@"; do
    case "$arg" in
    --trace) trace=1 ;;
    [0-9]*) runs="$arg" ;;
    *)
        echo "usage: $0 [RUNS] [--trace]" >&2
        exit 2
        ;;
    esac
done
out="$ROOT/build/bench-startup"
mkdir -p "$out"
say() { echo "bench-startup: $*" >&2; }

started_bench=0
stop_bench() { if [ "$started_bench" = 1 ]; then "$ROOT/scripts/testbench.sh" stop >/dev/null 2>&1 || true; fi; }
trap stop_bench EXIT
trap 'exit 130' INT TERM
if ! scripts/testbench.sh status >/dev/null 2>&1 || [ ! -f build/testbench/env.sh ]; then
    say "starting the test bench"
    scripts/testbench.sh start >"$out/bench.log" 2>&1 || { cat "$out/bench.log"; exit 1; }
    started_bench=1
fi
# shellcheck disable=SC1091
. build/testbench/env.sh

preset=win64
[ "${DRAVIK_WINE32_OK:-0}" = 1 ] && preset=win32
build="$ROOT/build/$preset"
say "building Dravik, minwin, minwin_floor and startbench ($preset)"
{ cmake --preset "$preset" && cmake --build --preset "$preset" -j2 --target Dravik minwin minwin_floor startbench; } \
    >"$out/build.log" 2>&1 || { tail -n 30 "$out/build.log"; exit 1; }
# A program file just linked is still dirty in the page cache, and its pages mapped into a
# process count as that process's Private_Dirty until the kernel has written them back.
sync

winpath() { echo "Z:${1//\//\\}"; }
dravik="$(winpath "$build/Dravik.exe")"
minwin="$(winpath "$build/tools/minwin.exe")"
floor="$(winpath "$build/tools/minwin_floor.exe")"
hold="$out/hold"
rm -f "$hold.ready" "$hold.done" "$out/memory.txt"

# The Linux process of a Wine program of this prefix, by its program file: Wine puts the
# Windows program's path in argv[0] (startbench's own command line names both programs too).
linux_pid() {
    local name="$1" p argv0
    for p in /proc/[0-9]*; do
        argv0="$(tr '\0' '\n' 2>/dev/null <"$p/cmdline" | head -n 1)" || continue
        argv0="${argv0##*[\\/]}"
        [ "${argv0,,}" = "${name,,}" ] || continue
        tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "${p#/proc/}"
        return 0
    done
    return 1
}

# Answers startbench's hold requests: reads the memory figures while the program still runs.
serve_holds() {
    local label round winpid pid exe dirty anon cpu
    while kill -0 "$1" 2>/dev/null; do
        if [ -f "$hold.ready" ] && read -r label round winpid <"$hold.ready" 2>/dev/null &&
            [ -n "${winpid:-}" ]; then
            exe=Dravik.exe
            [ "$label" = minwin ] && exe=minwin.exe
            [ "$label" = floor ] && exe=minwin_floor.exe
            dirty=NA anon=NA cpu=NA
            if pid="$(linux_pid "$exe")"; then
                dirty="$(awk '/^Private_Dirty:/ { print $2 }' "/proc/$pid/smaps_rollup")"
                anon="$(awk '/^RssAnon:/ { print $2 }' "/proc/$pid/status")"
                # User and system CPU time of the process so far (fields 14 and 15, in ticks).
                cpu="$(awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print ($12 + $13) * 1000 / hz }' \
                    "/proc/$pid/stat")"
            fi
            echo "$label $round $dirty $anon $cpu" >>"$out/memory.txt"
            rm -f "$hold.ready"
            : >"$hold.done"
        fi
        sleep 0.05
    done
}

cd "$build"
say "warming up (one start of each, not counted)"
"$WINE" tools/startbench.exe --settle 500 1 minwin="$minwin" floor="$floor" dravik="$dravik" \
    >"$out/warmup.txt" 2>&1 </dev/null ||
    { cat "$out/warmup.txt"; exit 1; }

say "$runs starts of each, alternating"
"$WINE" tools/startbench.exe --hold "$(winpath "$hold")" "$runs" minwin="$minwin" floor="$floor" dravik="$dravik" \
    >"$out/startbench.txt" 2>&1 </dev/null &
bench_pid=$!
serve_holds "$bench_pid"
wait "$bench_pid" || { cat "$out/startbench.txt"; exit 1; }

if [ "$trace" = 1 ]; then
    say "5 traced starts of each (WINEDEBUG=+timestamp,+loaddll,+process)"
    WINEDEBUG=+timestamp,+loaddll,+process "$WINE" tools/startbench.exe --settle 500 5 \
        minwin="$minwin" dravik="$dravik" >"$out/trace.txt" 2>"$out/trace.log" </dev/null ||
        { cat "$out/trace.txt"; exit 1; }
    # Milestones of each traced start, in ms from CreateProcess (Wine's timestamps are whole
    # ms): the program file mapped, user32 loaded, the X11 display driver loaded, the last
    # module loaded before the window was visible; the window times come from startbench.
    awk -v results="$out/trace.txt" '
    function ms(line) { split(line, p, ":"); return p[1] * 1000 }
    function med(key,    n, i, j, t, v) {
        n = cnt[key]
        for (i = 1; i <= n; i++) v[i] = val[key, i]
        for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return n == 0 ? -1 : (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2)
    }
    function put(key, x) { val[key, ++cnt[key]] = x }
    BEGIN {
        while ((getline line < results) > 0) if (line ~ /^run\t/) {
            split(line, f, "\t"); label = ""; vis = ""; drawn = ""
            for (i in f) { split(f[i], kv, "="); if (kv[1] == "label") label = kv[2]; if (kv[1] == "visible_ms") vis = kv[2]; if (kv[1] == "drawn_ms") drawn = kv[2] }
            order[++runs] = label; visible[runs] = vis; drawnat[runs] = drawn
        }
    }
    # Only the starts startbench makes; Wine starts helper processes of its own as well.
    /:trace:process:CreateProcessInternalW app .*(minwin|Dravik)\.exe/ {
        run++; t0 = ms($0); tid = ""; split($0, p, ":"); starter = p[2]; next
    }
    /:trace:process:CreateProcessInternalW started process/ {
        split($0, p, ":"); if (p[2] == starter && tid == "") tid = $NF; next
    }
    tid != "" && /:trace:loaddll:build_module Loaded / {
        split($0, p, ":"); if (p[2] != tid) next
        t = ms($0) - t0; label = order[run]
        if (!(run in first)) { first[run] = 1; put(label " program file mapped", t) }
        if (tolower($0) ~ /user32\.dll/) put(label " user32 loaded", t)
        if (tolower($0) ~ /comctl32\.dll/) put(label " comctl32 loaded", t)
        if (tolower($0) ~ /winex11\.drv/) put(label " display driver loaded", t)
        if (t <= visible[run]) { lastload[run] = t; modules[run]++ }
    }
    END {
        for (r = 1; r <= run; r++) {
            put(order[r] " last module loaded before visible", lastload[r])
            put(order[r] " modules loaded before visible", modules[r])
            put(order[r] " window visible", visible[r]); put(order[r] " window drawn", drawnat[r])
        }
        printf "\nTraced starts (median ms from CreateProcess; tracing adds its own cost):\n"
        printf "%-36s %10s %10s\n", "", "minwin", "Dravik"
        n = split("program file mapped|user32 loaded|comctl32 loaded|display driver loaded|last module loaded before visible|window visible|window drawn|modules loaded before visible", keys, "|")
        for (k = 1; k <= n; k++)
            printf "%-36s %10s %10s\n", keys[k], cnt["minwin " keys[k]] ? med("minwin " keys[k]) : "-", cnt["dravik " keys[k]] ? med("dravik " keys[k]) : "-"
    }' "$out/trace.log" >"$out/trace-summary.txt"
fi

# Medians of both programs side by side, from startbench's lines and the memory figures.
awk -v memfile="$out/memory.txt" '
function med(label, key,    n, i, j, t, v) {
    n = cnt[label, key]
    for (i = 1; i <= n; i++) v[i] = val[label, key, i]
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    if (n == 0) return -1
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
function put(label, key, x) { val[label, key, ++cnt[label, key]] = x }
BEGIN {
    while ((getline line < memfile) > 0) {
        split(line, f, " ")
        if (f[3] != "NA") put(f[1], "dirty", f[3])
        if (f[4] != "NA") put(f[1], "anon", f[4])
        if (f[5] != "NA") put(f[1], "cpu", f[5])
    }
}
/^run\t/ {
    label = ""
    for (i = 2; i <= NF; i++) {
        split($i, kv, "=")
        if (kv[1] == "label") label = kv[2]
        else if (kv[1] == "round") round = kv[2]
        else if (kv[1] ~ /_ms$/) put(label, kv[1], kv[2])
    }
    if (label != "") drawn[label, round] = drawnOf($0)
    if (round > rounds) rounds = round
}
function drawnOf(line,    m) { return match(line, /drawn_ms=[0-9.]+/) ? substr(line, RSTART + 9, RLENGTH - 9) : 0 }
END {
    printf "%-24s %12s %12s %12s %9s %9s\n", "median of " cnt["dravik", "drawn_ms"] " starts", "minwin", "floor", "Dravik", "floor", "Dravik"
    n = split("visible_ms idle_ms drawn_ms", keys, " ")
    for (k = 1; k <= n; k++) {
        a = med("minwin", keys[k]); fl = med("floor", keys[k]); b = med("dravik", keys[k])
        printf "%-24s %9.1f ms %9.1f ms %9.1f ms %8.2fx %8.2fx\n", keys[k], a, fl, b, (a > 0 ? fl / a : 0), (a > 0 ? b / a : 0)
    }
    a = med("minwin", "cpu"); fl = med("floor", "cpu"); b = med("dravik", "cpu")
    printf "%-24s %9.0f ms %9.0f ms %9.0f ms %8.2fx %8.2fx\n", "CPU time until settled", a, fl, b, (a > 0 ? fl / a : 0), (a > 0 ? b / a : 0)
    a = med("minwin", "dirty"); fl = med("floor", "dirty"); b = med("dravik", "dirty")
    printf "%-24s %9.0f KB %9.0f KB %9.0f KB %+6.0f KB %+6.0f KB\n", "Private_Dirty", a, fl, b, fl - a, b - a
    a = med("minwin", "anon"); fl = med("floor", "anon"); b = med("dravik", "anon")
    printf "%-24s %9.0f KB %9.0f KB %9.0f KB %+6.0f KB %+6.0f KB\n", "RssAnon", a, fl, b, fl - a, b - a
    printf "(the last two columns: floor and Dravik against minwin)\n"
    # The machine has slow spells that fall on some starts only: Dravik against the floor
    # started next to it in the same round is steadier than the ratio of the medians.
    for (r = 1; r <= rounds; r++)
        if (drawn["floor", r] > 0 && drawn["dravik", r] > 0) put("pair", "ratio", drawn["dravik", r] / drawn["floor", r])
    if (cnt["pair", "ratio"] > 0)
        printf "drawn, Dravik against the floor of the same round: median %.2fx of %d rounds\n", med("pair", "ratio"), cnt["pair", "ratio"]
}
' FS='\t' "$out/startbench.txt"
[ "$trace" = 1 ] && cat "$out/trace-summary.txt"
say "raw figures in ${out#"$ROOT"/}/"
