#!/usr/bin/env bash
# The README's pictures: starts the real Dravik.exe under Wine on the test bench and saves, each
# cropped to what it shows, into docs/screenshots/:
#
#   main-window.png      the main window in the full-colour appearance
#   main-window-256.png  the main window in the 256-colour appearance (after a switch to the
#                        8-bit mode of the same size, which Wine shows at the X server's depth)
#   tray-menu.png        the open notification-area menu
#   about.png            the about window
#   main-window-200.png  the main window at a screen scale of 200% (192 dots per inch), in a
#                        second prefix whose LogPixels says so
#
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default docs/screenshots)
# It starts its own bench (scripts/testbench.sh) and stops it again, in a fresh copy of the
# bench's Wine prefix, so that no setting of an earlier run shows.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
OUT="$(realpath -m "${1:-$ROOT/docs/screenshots}")"
say() { echo "screenshots.sh: $*" >&2; }

# shellcheck source=scripts/ensure-tools.sh
. "$ROOT/scripts/ensure-tools.sh"
ensure_tools cmake i686-w64-mingw32-g++-posix wine wineserver Xorg xrandr xdotool import convert

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j2 --target Dravik winprobe >/dev/null
}

work="$ROOT/build/screenshots"
rm -rf "$work"
mkdir -p "$work" "$OUT"
stop_all() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    "$ROOT/scripts/testbench.sh" stop >/dev/null 2>&1 || true
}
trap stop_all EXIT
"$ROOT/scripts/testbench.sh" start
# shellcheck disable=SC1091
. "$ROOT/build/testbench/env.sh"
# A prefix of its own: the pictures show the program as a first start shows it.
export WINEPREFIX="$work/prefix"
cp -a "$DRAVIK_WINE_TEMPLATE" "$WINEPREFIX"

if [ "${DRAVIK_WINE32_OK:-0}" = 1 ]; then
    preset=win32
else
    say "32-bit Windows programs cannot run here; the pictures show the win64 build"
    preset=win64
fi
say "building the $preset preset"
build "$preset"
exe="$ROOT/build/$preset/Dravik.exe"
probe() { "$WINE" "$ROOT/build/$preset/tools/winprobe.exe" "$@"; }
wineserver -p

# The settings a first start writes, with the movie preset at 8 bits per pixel of the size in
# effect, so that its button shows the 256-colour appearance.
if [ "$preset" = win32 ]; then view=32; else view=64; fi
read -r width height hz < <(probe current | awk -F'\t' '
    { for (i = 2; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } print v["width"], v["height"], v["hz"] }')
probe reg-set "$view" 'HKLM\SOFTWARE\Morv Dravik\Options' BtnMovie "$width x $height @ ${hz}Hz 256 colors" >/dev/null
probe reg-set "$view" 'HKLM\SOFTWARE\Morv Dravik\Options' 'Start in SysTray' 0 >/dev/null

say "starting $exe on $DISPLAY"
"$WINE" "$exe" </dev/null >"$work/dravik.log" 2>&1 &
dravik_pid=$!

wait_for() {  # wait_for <seconds> <command...>: until the command succeeds
    local limit=$(($1 * 10)) i
    shift
    for i in $(seq 1 "$limit"); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}
main_visible() { probe dump | grep -qP '^main\t.*\tvisible=1'; }
ctl_visible() { probe dump | grep -qP "^ctl\tid=$1\t.*\tvisible=1"; }

# Saves the screen, cropped to the rectangle "left top right bottom" of a record, with a
# margin of `pad` pixels.
shoot() {  # shoot <name> <left> <top> <right> <bottom> [pad]
    local name="$1" l="$2" t="$3" r="$4" b="$5" pad="${6:-0}"
    l=$((l - pad)); t=$((t - pad)); r=$((r + pad)); b=$((b + pad))
    # The pointer away, so that no button shows itself hovered.
    xdotool mousemove 0 0
    sleep 0.5
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage -strip "$OUT/$name.png"
    say "saved $OUT/$name.png ($((r - l)) x $((b - t)))"
}
# "left top right bottom" of the first record of this kind.
rect_of() { awk -F'\t' -v kind="$1" '
    $1 == kind { for (i = 2; i <= NF; i++) { n = index($i, "="); v[substr($i, 1, n - 1)] = substr($i, n + 1) }
                 print v["left"], v["top"], v["right"], v["bottom"]; exit }'; }

wait_for 60 main_visible || { say "the main window did not show; see $work/dravik.log"; exit 1; }
# shellcheck disable=SC2046
shoot main-window $(probe dump | rect_of main)

# The movie button: the 8-bit mode, the small buttons and the 256-colour frame.
probe click 104 >/dev/null
wait_for 20 ctl_visible 108 || { say "the switch to the 256-colour appearance did not happen"; exit 1; }
# shellcheck disable=SC2046
shoot main-window-256 $(probe dump | rect_of main)
probe click 107 >/dev/null
wait_for 20 ctl_visible 104 || { say "the switch back did not happen"; exit 1; }

# The about window, from the maker label.
probe click 120 >/dev/null
wait_for 20 probe about || { say "the about window did not open"; exit 1; }
sleep 0.5
# shellcheck disable=SC2046
shoot about $(probe about | rect_of about)
# Its OK button closes it and brings the main window back.
read -r l t r b < <(probe about | awk -F'\t' '$1 == "actl" && $2 == "id=207"' | rect_of actl)
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
wait_for 20 main_visible || { say "the about window did not close"; exit 1; }

# Into the notification area, and the icon's menu opened with a right click, as a user does.
probe click 101 >/dev/null
tray=""
for _ in $(seq 1 100); do
    tray="$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n 1 || true)"
    [ -n "$tray" ] && break
    sleep 0.1
done
[ -n "$tray" ] || { say "no notification area window"; exit 1; }
xdotool mousemove --window "$tray" 13 32 click 3
menu="$(probe menu wait 5000)" || { say "the tray menu did not open"; exit 1; }
# shellcheck disable=SC2046
shoot tray-menu $(echo "$menu" | rect_of menu)
# "Open Dravik", the first item, ends the menu and brings the window back.
read -r l t r b < <(echo "$menu" | rect_of menu)
xdotool mousemove $((l + 40)) $((t + 11)) click 1
wait_for 20 main_visible || { say "\"Open Dravik\" did not bring the window back"; exit 1; }

probe close >/dev/null
for _ in $(seq 1 100); do kill -0 "$dravik_pid" 2>/dev/null || break; sleep 0.1; done

# At 200%: Wine reads the scale from LogPixels (the desktop's and the fonts'), at start-up.
wineserver -k 2>/dev/null || true
export WINEPREFIX="$work/prefix-200"
cp -a "$DRAVIK_WINE_TEMPLATE" "$WINEPREFIX"
wineserver -p
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
"$WINE" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
probe reg-set "$view" 'HKLM\SOFTWARE\Morv Dravik\Options' BtnMovie "$width x $height @ ${hz}Hz 256 colors" >/dev/null
probe reg-set "$view" 'HKLM\SOFTWARE\Morv Dravik\Options' 'Start in SysTray' 0 >/dev/null
"$WINE" "$exe" </dev/null >"$work/dravik-200.log" 2>&1 &
dravik_pid=$!
wait_for 60 main_visible || { say "the main window did not show at 200%; see $work/dravik-200.log"; exit 1; }
# shellcheck disable=SC2046
shoot main-window-200 $(probe dump | rect_of main)
probe close >/dev/null
for _ in $(seq 1 100); do kill -0 "$dravik_pid" 2>/dev/null || break; sleep 0.1; done
say "done"
