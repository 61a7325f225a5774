#!/usr/bin/env bash
# The benchmark of the desktop icon layouts (not a test): builds the win64 preset's
# icon_bench.exe and testdesk.exe, starts the test bench unless one is running, and times the
# program's save and restore of 2000 icons against the bare cross-process calls, alternately in
# one run; with --route, through the desktop's folder view against the list-view messages.
# Arguments go to icon_bench (--route, --items N, --rounds R).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target icon_bench testdesk >/dev/null

started=0
if ! "$ROOT/scripts/testbench.sh" status >/dev/null 2>&1; then
    "$ROOT/scripts/testbench.sh" start >/dev/null
    started=1
fi
cleanup() { if [ "$started" = 1 ]; then "$ROOT/scripts/testbench.sh" stop >/dev/null 2>&1 || true; fi; }
trap cleanup EXIT
# shellcheck disable=SC1091
. "$ROOT/build/testbench/env.sh"
"$WINE64" "$ROOT/build/win64/tools/icon_bench.exe" "$@"
