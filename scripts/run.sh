#!/usr/bin/env bash
# Installs what is missing, builds, and runs the saver: on the desktop (Wayland or X11) when there
# is one, with the user's settings; otherwise inside a private Xvfb for a few seconds, with a demonstration profile
# of its own, saving a screenshot and printing its path.
# Usage: run.sh [--program QUORVEL]   (--program: run that build, installing and building nothing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "${1:-}" = "--program" ]; then
  quorvel=$2
else
  scripts/install-deps.sh
  scripts/build.sh build >/dev/null
  quorvel="$root/build/shell/quorvel"
fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$quorvel" s
fi
shot="$root/out/quorvel-$(date +%Y%m%d-%H%M%S).png"
mkdir -p "$root/out"
# Several pipes growing fast, so that the few seconds show the saver at work. The settings folder
# is a temporary one: the user's profile is neither read nor written.
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
printf '[3D Screen saver Config]\nNumber=6\nLength=40\nSpeed=30\nType=1\n' >"$demo/quorvel.INI"
XDG_CONFIG_HOME=$demo tests/x11/with-xvfb.sh bash -c '
  "$1" s & pid=$!
  sleep "${QUORVEL_RUN_SECONDS:-5}"
  import -silent -window root "$2"
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" || true
' _ "$quorvel" "$shot"
echo "Screenshot: $shot"
