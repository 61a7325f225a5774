#!/usr/bin/env bash
# Installs everything Dravik's build and tests need on a fresh Debian 12 machine. Run as
# root (sudo is used when available otherwise). Safe to run again: when every package is
# already installed it changes nothing and does not touch the network.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

# Native build and unit tests.
PACKAGES=(cmake g++ ninja-build googletest)
# The unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets:
# clang with libFuzzer and the sanitizer runtimes.
PACKAGES+=(clang libclang-rt-14-dev)
# Cross compilers for the Windows builds (i686 release, x86_64).
PACKAGES+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools)
# Wine, to run the Windows builds.
PACKAGES+=(wine wine64)
# Wine's 32-bit half runs the i686 release itself. Optional: where it cannot be had (a kernel
# without ia32 emulation, or an i386 index that a mirror sync left stale, whose libraries then
# cannot match the installed 64-bit ones) the Windows tests run the x86_64 build instead.
OPTIONAL=(wine32:i386)
# A private X server with real, switchable modes, and the tools to drive and look at it.
PACKAGES+=(xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xdotool imagemagick)

if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
else
    echo "setup: run as root (or install sudo)" >&2
    exit 1
fi

installed() {
    dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

missing=()
for p in "${PACKAGES[@]}"; do
    installed "$p" || missing+=("$p")
done
optional_missing=()
for p in "${OPTIONAL[@]}"; do
    installed "$p" || optional_missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && [ ${#optional_missing[@]} -eq 0 ]; then
    echo "setup: all packages installed"
    exit 0
fi
echo "setup: installing ${missing[*]} ${optional_missing[*]}"

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
# A mirror caught mid-sync fails one index ("File has unexpected size ... Mirror sync in
# progress?") and apt-get update exits 100 though every other list is fresh. Try a few times;
# then go on with the lists that did arrive: the required packages are judged by whether they
# install, below.
for attempt in 1 2 3; do
    if "${SUDO[@]}" apt-get update -q; then break; fi
    if [ "$attempt" -eq 3 ]; then
        echo "setup: warning: apt-get update failed for some index; going on with the lists it has" >&2
    else
        sleep $((attempt * 10))
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    "${SUDO[@]}" apt-get install -y -q "${missing[@]}" </dev/null || true
fi
for p in "${optional_missing[@]}"; do
    if ! "${SUDO[@]}" apt-get install -y -q "$p" </dev/null; then
        echo "setup: warning: $p could not be installed; the Windows tests will run the x86_64 build" >&2
    fi
done

for p in "${PACKAGES[@]}"; do
    if ! installed "$p"; then
        echo "setup: $p did not install" >&2
        exit 1
    fi
done
echo "setup: done"
