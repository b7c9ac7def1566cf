#!/usr/bin/env bash
# Runs a command in a private headless sway session (software renderer, no input devices), as
# programs run on a Wayland desktop. sway refuses to run as root: under root it runs as nobody.
# With --xwayland, XWayland is started when the first X client connects, and DISPLAY names it.
# Usage: with-sway.sh [--xwayland] command args...
set -euo pipefail
xwayland=disable
if [ "${1:-}" = --xwayland ]; then xwayland=enable; shift; fi
runtime=$(mktemp -d)
sway=""
trap '[ -n "$sway" ] && { kill "$sway" 2>/dev/null; wait "$sway" 2>/dev/null; }; rm -rf "$runtime"' EXIT
cat >"$runtime/config" <<CONFIG
xwayland $xwayland
exec echo "\$DISPLAY" >"$runtime/display"
CONFIG
run=(env)
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$runtime"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
fi
"${run[@]}" -i HOME="$runtime" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
  WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
sway=$!
for _ in $(seq 200); do
  [ -s "$runtime/display" ] && ls "$runtime"/wayland-* >/dev/null 2>&1 && break
  kill -0 "$sway" 2>/dev/null || break
  sleep 0.05
done
socket=$(cd "$runtime" && ls wayland-? 2>/dev/null | head -n1) || true
[ -n "$socket" ] || { echo "sway did not start" >&2; cat "$runtime/sway.log" >&2; exit 1; }
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket
SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock)
export SWAYSOCK
unset DISPLAY
if [ "$xwayland" = enable ]; then
  DISPLAY=$(cat "$runtime/display")
  export DISPLAY
fi
"$@"
