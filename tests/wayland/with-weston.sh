#!/usr/bin/env bash
# Runs a command as a client of a private headless weston (no XWayland), a compositor without the
# layer shell. Usage: with-weston.sh command args...
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston=""
trap '[ -n "$weston" ] && { kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; }; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --width=1280 --height=720 --socket=wayland-q \
  --log="$runtime/weston.log" >/dev/null 2>&1 &
weston=$!
for _ in $(seq 200); do
  [ -S "$runtime/wayland-q" ] && break
  kill -0 "$weston" 2>/dev/null || break
  sleep 0.05
done
[ -S "$runtime/wayland-q" ] || { echo "weston did not start" >&2; cat "$runtime/weston.log" >&2 || true; exit 1; }
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-q
unset DISPLAY
"$@"
