#!/usr/bin/env bash
# Installs the Debian packages the project needs (or those named as arguments), only those that
# are missing.
set -euo pipefail
packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  libx11-dev libxext-dev libxrandr-dev libgtk-3-dev libpng-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils x11-apps
  fonts-ipafont-gothic imagemagick adwaita-icon-theme openbox weston xwayland xinput
  libwayland-dev wayland-protocols libxkbcommon-dev sway grim wtype python3
  libepoxy-dev libegl1 libegl-mesa0 libgl1 libglx-mesa0 libgl1-mesa-dri
  desktop-file-utils libxml2-utils man-db dpkg-dev mate-screensaver
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=300 update -q
  $sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "${missing[@]}"
}
install_missing "${packages[@]}"
[ $# -eq 0 ] || exit 0

# XScreenSaver for its host test, without the package of savers (xscreensaver-data) that its
# Debian package depends on: the package is unpacked under /opt/xscreensaver, its libraries
# are installed.
xscreensaver=/opt/xscreensaver
if ! command -v xscreensaver >/dev/null && [ ! -x "$xscreensaver/usr/bin/xscreensaver" ]; then
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  cd "$dir"
  apt-get download -q xscreensaver || { $sudo apt-get update -q && apt-get download -q xscreensaver; }
  deb=$(echo xscreensaver_*.deb)
  install_missing $(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/[(|].*//; s/[[:space:]]//g' |
    grep -vx xscreensaver-data)
  echo "Unpacking $deb in $xscreensaver"
  $sudo dpkg-deb -x "$deb" "$xscreensaver"
fi
