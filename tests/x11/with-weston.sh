#!/usr/bin/env bash
# Runs a command on the XWayland display of a private headless weston, as X11 programs run in a
# Wayland session. Usage: with-weston.sh command args...
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston=""
trap '[ -n "$weston" ] && { kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; }; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --xwayland --width=1280 --height=720 \
  --log="$runtime/weston.log" >/dev/null 2>&1 &
weston=$!
display=""
for _ in $(seq 200); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log" 2>/dev/null | head -n1) || true
  [ -n "$display" ] && break
  kill -0 "$weston" 2>/dev/null || break
  sleep 0.05
done
[ -n "$display" ] || { echo "weston did not start" >&2; cat "$runtime/weston.log" >&2 || true; exit 1; }
export DISPLAY=$display XDG_RUNTIME_DIR=$runtime
unset WAYLAND_DISPLAY
"$@"
