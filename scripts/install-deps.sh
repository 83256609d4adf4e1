#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages that building, running and testing need, and any
# packages named as arguments. Asks dpkg first and runs apt-get only for what is missing,
# so a second run is quick.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format clang-tidy tzdata
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libsqlite3-dev sqlite3
    libcanberra-dev libcanberra-pulse sound-theme-freedesktop
    libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-screensaver0-dev libxcb-xinput-dev libxcb-res0-dev
    libgtest-dev libgmock-dev googletest
    # the program's Wayland clients: libwayland and the protocol descriptions it is generated from (the
    # wlroots ones ship only inside the Rust crate's source)
    libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols librust-wayland-protocols-dev
    # headless sway with its bar's tray, screenshots, Qt's Wayland platform for native test windows,
    # xhost to let the tests into sway's XWayland, and a mocked logind
    sway grim qt6-wayland x11-xserver-utils python3-dbusmock
    xvfb xauth openbox trayer xdotool xterm x11-utils x11-apps dbus dbus-x11 dbus-bin
    xfce4-panel xfconf
    xfwm4 kwin-x11 mutter
    # KDE Plasma's Wayland session, headless, with native Qt windows and X11 ones through XWayland
    kwin-wayland xwayland qt6-wayland python3-dbusmock
    fonts-dejavu-core imagemagick
    # the package: icon sizes from the SVG, library dependencies (dpkg-shlibdeps, and file, which
    # CPack runs to find the binaries), the desktop's own validators
    librsvg2-bin dpkg-dev file desktop-file-utils appstream groff-base
)

packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
