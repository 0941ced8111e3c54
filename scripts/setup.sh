#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the project needs (when missing) and builds it.
#   scripts/setup.sh [build-dir [cmake options...]]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    g++ cmake ninja-build pkg-config ccache python3
    libgtest-dev libbenchmark-dev libpng-dev
    libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation2
    fonts-urw-base35
    libwxgtk3.2-dev libgtk-3-dev libxrandr-dev libxext-dev libwayland-dev wayland-protocols
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-apps x11-utils imagemagick openbox metacity icewm i3 awesome twm xfonts-base
    sway grim xwayland x11-xserver-utils weston mutter xserver-xorg-core xserver-xorg-video-dummy
    libglib2.0-dev dbus-daemon libglib2.0-bin
    dpkg-dev lintian appstream desktop-file-utils file man-db devscripts
    gstreamer1.0-tools gstreamer1.0-plugins-base
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get install -y --no-install-recommends ${missing[*]}"
        exit 1
    fi
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
ninja -C "$build_dir"
