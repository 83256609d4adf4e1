#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 or 13 packages that building, running and testing need, and any
# packages named as arguments. Asks dpkg first and runs apt-get only for what is missing,
# so a second run is quick.
set -euo pipefail

# The wlroots protocol descriptions ship only inside a Rust crate's source: since Debian 13 the
# crate of the wlroots protocols, before it the crate of all of them.
wlr_protocols=librust-wayland-protocols-wlr-dev
if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
    wlr_protocols=librust-wayland-protocols-dev
fi

packages=(
    cmake ninja-build g++ pkg-config clang-format clang-tidy tzdata
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    # translations: Qt Linguist's tools and their CMake functions, Qt's own translations, and
    # gettext for the desktop entry's and the metainfo's (with appstream's rules for the metainfo, below)
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n gettext
    libsqlite3-dev sqlite3
    libcanberra-dev libcanberra-pulse sound-theme-freedesktop
    libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-screensaver0-dev libxcb-xinput-dev libxcb-res0-dev
    libgtest-dev libgmock-dev googletest
    # the program's Wayland clients: libwayland and the protocol descriptions it is generated from
    libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols "$wlr_protocols"
    xvfb xauth openbox trayer xdotool xterm x11-utils x11-apps dbus dbus-x11 dbus-bin
    # busctl, which the tests ask the program's session-bus interface with
    systemd
    xfce4-panel xfconf
    xfwm4 kwin-x11 mutter
    fonts-dejavu-core imagemagick
    # headless Wayland desktops, each with XWayland, and Qt's Wayland platform for native test windows:
    # GNOME Shell (with the lock screen's org.gnome.ScreenSaver front, a gjs script), KWin, sway with
    # its bar's tray and screenshots (and xhost to let the tests into its XWayland), weston; a mocked
    # logind and GDM on a private system bus
    xwayland qt6-wayland gnome-shell gjs kwin-wayland sway grim x11-xserver-utils weston python3-dbusmock
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
