#!/usr/bin/env bash
# The test bench: a private X server with real, switchable display modes (Xorg with the
# dummy driver) and a Wine prefix to run the Windows build in.
#
#   scripts/testbench.sh start    start Xorg and wineserver; writes build/testbench/env.sh
#   scripts/testbench.sh stop     reset the X mode, end every bench process, stop Xorg
#   scripts/testbench.sh status   what is running
#   source scripts/testbench.sh   defines bench_start, bench_stop, bench_status
#
# After a start, `source build/testbench/env.sh` gives DISPLAY, WINEPREFIX, WINEDEBUG,
# WINEDLLOVERRIDES, WINE (the loader for the Windows build in use), WINE64 and
# DRAVIK_WINE_TEMPLATE (a prefix nobody runs programs in, for tests that copy it).
#
# Settings (environment): DRAVIK_BENCH_DISPLAY (first display number tried, default 92),
# DRAVIK_BENCH_MODE / DRAVIK_BENCH_RATE (mode the bench starts in and returns to, default
# 1024x768 at 60 Hz).

_bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BENCH_DIR="${DRAVIK_BENCH_DIR:-$_bench_root/build/testbench}"
BENCH_TEMPLATE="${DRAVIK_WINE_TEMPLATE_DIR:-$_bench_root/build/wineprefix-template}"
BENCH_PREFIX="$_bench_root/build/wineprefix-bench"
BENCH_XCONF="$_bench_root/tests/e2e/xorg-dummy.conf"
BENCH_MODE="${DRAVIK_BENCH_MODE:-1024x768}"
BENCH_RATE="${DRAVIK_BENCH_RATE:-60}"

_bench_log() { echo "testbench: $*" >&2; }
_bench_now() { date +%s.%N; }
_bench_since() { awk -v a="$1" -v b="$(_bench_now)" 'BEGIN { printf "%.1f", b - a }'; }

# Debian's /usr/bin/wine always runs the 32-bit loader, which fails outright when the kernel
# runs no 32-bit programs (ia32 emulation switched off). 64-bit programs and the prefix
# tools then go through the 64-bit loader directly.
_bench_wine64() {
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else command -v wine64 || echo wine; fi
}
bench_can_run_32bit() { wine --version >/dev/null 2>&1; }

_bench_display_free() {
    local n="$1"
    [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]
}

_bench_xorg_alive() {
    [ -f "$BENCH_DIR/xorg.pid" ] && kill -0 "$(cat "$BENCH_DIR/xorg.pid")" 2>/dev/null
}

_bench_output() { DISPLAY="$1" xrandr --current 2>/dev/null | awk '/ connected/ { print $1; exit }'; }

_bench_reset_mode() {
    local display="$1" out
    out="$(_bench_output "$display")"
    [ -n "$out" ] || return 0
    DISPLAY="$display" xrandr --output "$out" --mode "$BENCH_MODE" --rate "$BENCH_RATE" 2>/dev/null ||
        _bench_log "could not reset $display to $BENCH_MODE at $BENCH_RATE Hz"
}

_bench_start_xorg() {
    local n="${DRAVIK_BENCH_DISPLAY:-92}" last
    last=$((n + 20))
    while [ "$n" -le "$last" ] && ! _bench_display_free "$n"; do n=$((n + 1)); done
    if [ "$n" -gt "$last" ]; then
        _bench_log "no free display number"
        return 1
    fi
    mkdir -p "$BENCH_DIR"
    # setsid: the server must not get the terminal's signals (a Ctrl-C would otherwise kill it
    # before the stop could reset the mode).
    setsid Xorg ":$n" -config "$BENCH_XCONF" -noreset -nolisten tcp \
        -logfile "$BENCH_DIR/xorg.log" </dev/null >"$BENCH_DIR/xorg.out" 2>&1 &
    echo $! >"$BENCH_DIR/xorg.pid"
    echo ":$n" >"$BENCH_DIR/display"
    local i
    for i in $(seq 1 100); do
        if DISPLAY=":$n" xrandr --current >/dev/null 2>&1; then
            # The lock file names the server itself (setsid may have forked in between).
            tr -d ' ' <"/tmp/.X$n-lock" >"$BENCH_DIR/xorg.pid"
            _bench_reset_mode ":$n"
            return 0
        fi
        if ! kill -0 "$(cat "$BENCH_DIR/xorg.pid")" 2>/dev/null; then break; fi
        sleep 0.1
    done
    _bench_log "Xorg :$n did not come up; see $BENCH_DIR/xorg.log"
    tail -n 20 "$BENCH_DIR/xorg.log" >&2 2>/dev/null || true
    return 1
}

# The template prefix is made once and reused across runs; it is marked ready only when
# complete, so an interrupted creation is redone. The mark records whether 32-bit programs
# could run at creation: only then does wineboot fill syswow64, and without it no 32-bit
# program runs in the prefix, so a template made without them is remade once they work.
_bench_make_template() {
    local wine64 want
    wine64="$(_bench_wine64)"
    if bench_can_run_32bit; then want="wine32=1"; else want="wine32=0"; fi
    if [ -f "$BENCH_TEMPLATE/.dravik-template-ready" ] &&
        [ "$(cat "$BENCH_TEMPLATE/.dravik-template-ready")" = "$want" ]; then
        return 0
    fi
    local t0
    t0="$(_bench_now)"
    _bench_log "creating the template Wine prefix $BENCH_TEMPLATE"
    rm -rf "$BENCH_TEMPLATE"
    mkdir -p "$(dirname "$BENCH_TEMPLATE")"
    (
        export WINEPREFIX="$BENCH_TEMPLATE"
        # The 32-bit half of wineboot fails harmlessly where no 32-bit program can run.
        timeout 900 "$wine64" wineboot -i </dev/null >"$BENCH_DIR/wineboot.log" 2>&1 || true
        # Without a window manager, a Wine-managed window stalls 2 s whenever it is hidden or
        # destroyed and message boxes take no keys; unmanaged windows behave.
        "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
        # A crashing program would otherwise start winedbg, which waits for a click on its
        # crash dialog; with a debugger that cannot start, the process just ends.
        "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d false /f >/dev/null
        "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d false /f /reg:32 >/dev/null 2>&1 || true
        # The registry reaches its files only when the server ends.
        wineserver -k 2>/dev/null || true
        wineserver -w
    ) || return 1
    if [ ! -f "$BENCH_TEMPLATE/system.reg" ] || [ ! -f "$BENCH_TEMPLATE/user.reg" ] ||
        ! grep -q '"Managed"="N"' "$BENCH_TEMPLATE/user.reg"; then
        _bench_log "template prefix incomplete; see $BENCH_DIR/wineboot.log"
        return 1
    fi
    echo "$want" >"$BENCH_TEMPLATE/.dravik-template-ready"
    _bench_log "template prefix ready in $(_bench_since "$t0") s"
}

bench_start() {
    local t0
    t0="$(_bench_now)"
    for tool in Xorg xrandr wineserver wine; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            _bench_log "$tool is missing; run scripts/setup.sh"
            return 1
        fi
    done
    mkdir -p "$BENCH_DIR"
    if _bench_xorg_alive; then
        _bench_log "already running on $(cat "$BENCH_DIR/display"); stopping it first"
        bench_stop
    fi
    # Every process the bench starts carries this token, so that the stop finds them all.
    local token
    token="dravik-bench-$$-$RANDOM$RANDOM"
    export DRAVIK_BENCH_TOKEN="$token"
    echo "$token" >"$BENCH_DIR/token"

    _bench_start_xorg || { bench_stop; return 1; }
    local display
    display="$(cat "$BENCH_DIR/display")"
    _bench_log "Xorg $display up in $(_bench_since "$t0") s"

    export DISPLAY="$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    _bench_make_template || { bench_stop; return 1; }

    # The programs under test run in a fresh copy each time, so the template stays pristine
    # for the tests that copy it. Never hard links: wineserver rewrites the .reg files in place.
    local t1
    t1="$(_bench_now)"
    rm -rf "$BENCH_PREFIX"
    cp -a "$BENCH_TEMPLATE" "$BENCH_PREFIX"
    rm -f "$BENCH_PREFIX/.dravik-template-ready"
    _bench_log "working prefix copied in $(_bench_since "$t1") s"

    local wine64 wine wine32_ok=0
    wine64="$(_bench_wine64)"
    # Its own output goes to a file: it outlives this script and would hold a pipe open.
    WINEPREFIX="$BENCH_PREFIX" wineserver -p </dev/null >>"$BENCH_DIR/wineserver.log" 2>&1
    # The first program of a prefix starts Wine's services and desktop process, which stay
    # as long as the server and keep the output they inherited: started under ctest, they
    # would hold its output pipe open and ctest would wait for them until its timeout.
    # Started here, they get a log file instead.
    WINEPREFIX="$BENCH_PREFIX" timeout 120 "$wine64" cmd /c exit 0 </dev/null >>"$BENCH_DIR/wineserver.log" 2>&1 ||
        _bench_log "warning: the first Wine program in $BENCH_PREFIX failed"
    # Can a 32-bit Windows program run here? (The release build is one.)
    # (Output to a file, not a pipe: services that Wine starts keep their inherited output.)
    if bench_can_run_32bit; then
        WINEPREFIX="$BENCH_PREFIX" timeout 120 wine 'C:\windows\syswow64\cmd.exe' /c echo dravik-wine32 \
            </dev/null >"$BENCH_DIR/wine32-check.log" 2>&1 || true
        if grep -q dravik-wine32 "$BENCH_DIR/wine32-check.log"; then wine32_ok=1; fi
    fi
    if [ "$wine32_ok" = 1 ]; then wine=wine; else wine="$wine64"; fi
    cat >"$BENCH_DIR/env.sh" <<EOF
# Written by scripts/testbench.sh start; source it to use the bench.
export DISPLAY='$display'
export WINEPREFIX='$BENCH_PREFIX'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export WINE='$wine'
export WINE64='$wine64'
export DRAVIK_WINE_TEMPLATE='$BENCH_TEMPLATE'
export DRAVIK_BENCH_TOKEN='$token'
export DRAVIK_WINE32_OK='$wine32_ok'
EOF
    # shellcheck disable=SC1091
    . "$BENCH_DIR/env.sh"
    if [ "$wine32_ok" != 1 ]; then
        _bench_log "WARNING: 32-bit Windows programs cannot run under Wine here" \
            "(is the kernel's ia32 emulation off?); only 64-bit builds can be run"
    fi
    _bench_log "bench ready on $display in $(_bench_since "$t0") s (WINEPREFIX=$BENCH_PREFIX)"
}

# Processes carrying the bench token, except this shell, its ancestors and their other
# children (a script that sourced env.sh carries the token too).
_bench_token_pids() {
    local token="$1" pid p ancestors=" " parent
    # This runs in a subshell: its helpers (tr, grep, awk) must not carry the token.
    unset DRAVIK_BENCH_TOKEN
    p=$$
    while [ -n "$p" ] && [ "$p" -gt 1 ]; do
        ancestors+="$p "
        parent="$(awk '/^PPid:/ { print $2 }' "/proc/$p/status" 2>/dev/null)"
        p="$parent"
    done
    ancestors+="${BASHPID:-$$} "
    for pid in /proc/[0-9]*; do
        pid="${pid#/proc/}"
        case "$ancestors" in *" $pid "*) continue ;; esac
        # Nor the other children of those shells (a "| tail" beside the stop, say).
        parent="$(awk '/^PPid:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)"
        case "$ancestors" in *" $parent "*) continue ;; esac
        if grep -qzx "DRAVIK_BENCH_TOKEN=$token" "/proc/$pid/environ" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

bench_stop() {
    local display="" token=""
    [ -f "$BENCH_DIR/display" ] && display="$(cat "$BENCH_DIR/display")"
    [ -f "$BENCH_DIR/token" ] && token="$(cat "$BENCH_DIR/token")"
    if [ -n "$display" ] && _bench_xorg_alive; then
        _bench_reset_mode "$display"
    fi
    # Wine first: its server ends every program of the prefix.
    if [ -d "$BENCH_PREFIX" ]; then
        WINEPREFIX="$BENCH_PREFIX" wineserver -k 2>/dev/null || true
        WINEPREFIX="$BENCH_PREFIX" timeout 20 wineserver -w 2>/dev/null || true
    fi
    # Whatever else the bench started (programs and servers of the copies the tests make).
    if [ -n "$token" ]; then
        local pids pid i
        pids="$(_bench_token_pids "$token")"
        if [ -n "$pids" ]; then
            kill -TERM $pids 2>/dev/null || true
            for i in $(seq 1 30); do
                pids="$(_bench_token_pids "$token")"
                [ -z "$pids" ] && break
                sleep 0.1
            done
            [ -n "$pids" ] && kill -KILL $pids 2>/dev/null || true
        fi
    fi
    if _bench_xorg_alive; then
        local xpid
        xpid="$(cat "$BENCH_DIR/xorg.pid")"
        kill -TERM "$xpid" 2>/dev/null || true
        for i in $(seq 1 50); do
            kill -0 "$xpid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$xpid" 2>/dev/null || true
    fi
    if [ -n "$display" ]; then
        local n="${display#:}"
        # A server killed hard leaves its lock behind; it names a dead process then.
        if [ -f "/tmp/.X$n-lock" ] && ! kill -0 "$(tr -d ' ' <"/tmp/.X$n-lock")" 2>/dev/null; then
            rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
        fi
    fi
    rm -f "$BENCH_DIR/xorg.pid" "$BENCH_DIR/display" "$BENCH_DIR/token" "$BENCH_DIR/env.sh"
    _bench_log "stopped"
}

bench_status() {
    if _bench_xorg_alive; then
        echo "Xorg $(cat "$BENCH_DIR/display") pid $(cat "$BENCH_DIR/xorg.pid")"
        DISPLAY="$(cat "$BENCH_DIR/display")" xrandr --current | grep '\*' || true
        [ -f "$BENCH_DIR/token" ] && echo "bench processes: $(_bench_token_pids "$(cat "$BENCH_DIR/token")" | wc -l)"
        return 0
    fi
    echo "not running"
    return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    case "${1:-}" in
    start)
        # A start that fails half-way leaves nothing behind.
        trap 'rc=$?; [ $rc -ne 0 ] && bench_stop; exit $rc' EXIT
        bench_start
        rc=$?
        trap - EXIT
        [ $rc -eq 0 ] && echo "source $BENCH_DIR/env.sh"
        exit $rc
        ;;
    stop) bench_stop ;;
    status) bench_status ;;
    *)
        echo "usage: $0 start|stop|status" >&2
        exit 2
        ;;
    esac
fi
