#!/usr/bin/env bash
# Installs what the build and the tests need on Debian or Ubuntu: the MinGW-w64
# cross compiler, CMake, GoogleTest, clang for the sanitizer and fuzzing build,
# 32-bit Wine, Xvfb and a font with Chinese glyphs. Safe to run again: it only
# installs what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
    cmake ninja-build g++ libgtest-dev libgmock-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    clang libclang-rt-14-dev
    wine wine32:i386 xvfb x11-utils xauth fonts-wqy-microhei fonts-wine locales
    imagemagick python3
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

for p in "${packages[@]}"; do have "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
