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
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=300 update -q
$sudo apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "${missing[@]}"
