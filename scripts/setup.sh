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
# Wine, 64- and 32-bit, to run the Windows builds.
PACKAGES+=(wine wine64 wine32:i386)
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
if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all packages installed"
    exit 0
fi
echo "setup: installing ${missing[*]}"

# wine32 is an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q "${missing[@]}" </dev/null

for p in "${PACKAGES[@]}"; do
    if ! installed "$p"; then
        echo "setup: $p did not install" >&2
        exit 1
    fi
done
echo "setup: done"
