#!/usr/bin/env bash
# The run command: builds the win32 preset and starts build/win32/Dravik.exe under Wine,
# waits for its main window and saves a screenshot to artifacts/dravik-screenshot.png.
#
# With DISPLAY set, Dravik runs on that display (in $WINEPREFIX, or Wine's default prefix)
# and is left running. Without it, Dravik runs on the bench's private X server
# (scripts/testbench.sh), and everything is stopped again after the screenshot.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
SHOT="$ROOT/artifacts/dravik-screenshot.png"
say() { echo "run.sh: $*" >&2; }

# shellcheck source=scripts/ensure-tools.sh
. "$ROOT/scripts/ensure-tools.sh"
ensure_tools cmake i686-w64-mingw32-g++-posix wine wineserver Xorg xrandr import

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j2 --target Dravik winprobe
}
say "building the win32 preset"
build win32
build_dir="$ROOT/build/win32"

private=0
if [ -z "${DISPLAY:-}" ]; then
    private=1
    trap '"$ROOT/scripts/testbench.sh" stop >/dev/null 2>&1 || true' EXIT
    "$ROOT/scripts/testbench.sh" start
    # shellcheck disable=SC1091
    . "$ROOT/build/testbench/env.sh"
    if [ "${DRAVIK_WINE32_OK:-0}" != 1 ]; then
        say "WARNING: 32-bit Windows programs cannot run here; running the win64 build instead"
        build win64
        build_dir="$ROOT/build/win64"
    fi
    loader="$WINE"
else
    export WINEDEBUG="${WINEDEBUG:--all}"
    loader=wine
    if ! wine --version >/dev/null 2>&1; then
        say "WARNING: 32-bit programs cannot run here; running the win64 build instead"
        build win64
        build_dir="$ROOT/build/win64"
        loader=/usr/lib/wine/wine64
    fi
fi

exe="$build_dir/Dravik.exe"
probe="$build_dir/tools/winprobe.exe"
mkdir -p "$ROOT/artifacts"
log="$ROOT/artifacts/dravik-run.log"
say "starting $exe on $DISPLAY"
# Detached: with the user's display it stays after this script ends.
setsid "$loader" "$exe" </dev/null >"$log" 2>&1 &
dravik_pid=$!

shown=0
for _ in $(seq 1 120); do
    if "$loader" "$probe" dump 2>/dev/null | grep -qP '^main\t.*\tvisible=1'; then
        shown=1
        break
    fi
    if ! kill -0 "$dravik_pid" 2>/dev/null; then break; fi
    sleep 0.5
done
if [ "$shown" != 1 ]; then
    say "the main window (class DravikMain, title Dravik) did not show; see $log"
    exit 1
fi
# Give the window a moment to paint before the picture is taken.
sleep 1
import -window root "$SHOT"
echo "$SHOT"

if [ "$private" = 1 ]; then
    "$loader" "$probe" close >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do kill -0 "$dravik_pid" 2>/dev/null || break; sleep 0.1; done
    # The EXIT trap stops the bench (Wine, Xorg) and resets the X mode.
else
    say "Dravik is running (pid $dravik_pid); close it from its window"
fi
