#!/usr/bin/env bash
# Runs a command under a private Xvfb that picks its own display number.
# Usage: with-xvfb.sh [--screen WxHxD] command args...
set -euo pipefail
screen=1920x1080x24
if [ "${1:-}" = "--screen" ]; then screen=$2; shift 2; fi
dir=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 9 -screen 0 "$screen" -nolisten tcp -noreset 9>"$dir/display" 2>"$dir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 200); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$dir/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"
# Run from a Wayland desktop, the program would choose the desktop's compositor.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
"$@"
