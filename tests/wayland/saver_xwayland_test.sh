#!/usr/bin/env bash
# The X11 program (only DISPLAY set) under sway's XWayland (run under with-sway.sh --xwayland):
# the first run starts XWayland; every run covers the whole output, full-screen and without a
# frame, and ends on SIGTERM with exit 0. XWayland lets in only the user that runs sway: under
# root the program runs as nobody, as sway does.
# Usage: saver_xwayland_test.sh QUORVEL SHOTS
set -uo pipefail
quorvel=$1
shots=$2
mkdir -p "$shots"
source "$(dirname "$0")/../x11/test_lib.sh"
profile 'Speed=20' 'Number=4' 'Length=400'
run=(env)
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
fi
frame() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("name") == "DirectX Quorvel" and n.get("type") in ("con", "floating_con"):
        r = n["rect"]; print(n.get("shell"), n.get("fullscreen_mode"), r["x"], r["y"], r["width"], r["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))'
}
whole=$(swaymsg -t get_outputs | python3 -c 'import json,sys; r=json.load(sys.stdin)[0]["rect"]; print(r["x"], r["y"], r["width"], r["height"])')
for round in 1 2 3 4; do
  "${run[@]}" -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$XDG_CONFIG_HOME" "$quorvel" s & pid=$!
  pids+=("$pid")
  check "round $round: a window" poll 10 eval '[ -n "$(frame)" ]'
  sleep 1
  check "round $round: XWayland, full-screen over the whole output" test "$(frame)" = "xwayland 1 $whole"
  grim "$shots/xwayland-$round.png"
  convert "$shots/xwayland-$round.png" -crop x24+0+0 -colorspace Gray -threshold 6% "$work/top.png"
  check "round $round: no title bar" awk -v m="$(convert "$work/top.png" -format '%[fx:mean]' info:)" 'BEGIN { exit !(m < 0.2) }'
  kill -TERM "$pid"
  check "round $round: SIGTERM ends it with exit 0" eval 'ended_within "$pid" 3 && test "$status" -eq 0'
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
