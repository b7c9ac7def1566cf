#!/usr/bin/env bash
# Installs what is missing, builds, and runs the saver: on the desktop (Wayland or X11) when there
# is one, otherwise inside a private Xvfb for a few seconds, saving a screenshot and printing its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build >/dev/null
quorvel="$root/build/shell/quorvel"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$quorvel" s
fi
shot="$root/out/quorvel-$(date +%Y%m%d-%H%M%S).png"
mkdir -p "$root/out"
tests/x11/with-xvfb.sh bash -c '
  "$1" s & pid=$!
  sleep "${QUORVEL_RUN_SECONDS:-5}"
  xwd -root -silent | /usr/bin/convert xwd:- "$2"
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" || true
' _ "$quorvel" "$shot"
echo "Screenshot: $shot"
