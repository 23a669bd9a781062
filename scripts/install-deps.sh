#!/usr/bin/env bash
# Installs the Debian packages the builds, the Wine test runs and the release
# archives need. Idempotent: packages already present are skipped; nothing is
# downloaded when everything is there.
set -euo pipefail

native_packages=(cmake g++ make libgtest-dev libbenchmark-dev libcli11-dev libstb-dev xxd pkg-config
                 libx11-dev libxft-dev libxtst-dev fonts-liberation)
cross_packages=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
                g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64
                wine wine32:i386 xvfb xdotool zip unzip)
art_packages=()

missing=()
is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

want() {
    for pkg in "$@"; do
        is_installed "$pkg" || missing+=("$pkg")
    done
}

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
    need_update=1
fi

want "${native_packages[@]}" "${cross_packages[@]}" "${art_packages[@]}"

if [ "${#missing[@]}" -gt 0 ] || [ "${need_update:-0}" = 1 ]; then
    echo "Installing: ${missing[*]:-(package lists only)}"
    export DEBIAN_FRONTEND=noninteractive
    sudo_if_needed apt-get update -qq
    if [ "${#missing[@]}" -gt 0 ]; then
        sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
fi
