#!/usr/bin/env bash
# The program natively in a headless sway session (run under with-sway.sh): the saver fills the
# output without a title bar and its pipes grow, at scale 1 and 2; a key, the focus leaving and
# SIGTERM end it with exit 0; --layer draws on the background of every output, also one added
# while it runs, goes on when one is taken away, takes no window, survives SIGUSR1 and ends on
# SIGTERM and SIGHUP; the GL device draws both; the dialog opens on GTK's Wayland backend.
# Nothing writes the profile. Screenshots (grim) are kept in SHOTS.
# Usage: saver_sway_test.sh QUORVEL SHOTS
set -uo pipefail
quorvel=$1
shots=$2
mkdir -p "$shots"
source "$(dirname "$0")/../x11/test_lib.sh"
# A display mode that a Wayland client cannot switch to: the saver covers the output as it is.
profile 'Speed=20' 'Number=4' 'Length=400' 'Width=800' 'Height=600'
cp "$XDG_CONFIG_HOME/quorvel.INI" "$work/profile.before"

# lit FILE: the share of pixels that are not black.
lit() { convert "$1" -colorspace Gray -threshold 6% -format '%[fx:mean]' info:; }
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# view NAME: "shell fullscreen x y width height" of the window with that title.
view() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("name") == sys.argv[1] and n.get("type") in ("con", "floating_con"):
        r = n["rect"]; print(n.get("shell"), n.get("fullscreen_mode"), r["x"], r["y"], r["width"], r["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))' "$1"
}
output_rect() { swaymsg -t get_outputs | python3 -c '
import json, sys
for o in json.load(sys.stdin):
    if o["name"] == sys.argv[1]: r = o["rect"]; print(r["x"], r["y"], r["width"], r["height"])' "$1"; }
has_view() { [ -n "$(view "$1")" ]; }

start() { "$quorvel" "$@" 2>>"$work/stderr" & pid=$!; pids+=("$pid"); }

# The saver at the output's scale: full-screen on the whole output, no frame, pipes growing.
saver_fills() {
  local scale=$1 tag=$2
  swaymsg output HEADLESS-1 scale "$scale" >/dev/null
  start s
  check "s at scale $scale: a window" poll 5 has_view 'DirectX Quorvel'
  read -r shell full x y w h <<<"$(view 'DirectX Quorvel')"
  check "s at scale $scale: native, full-screen over the whole output" \
    test "$shell $full $x $y $w $h" = "xdg_shell 1 $(output_rect HEADLESS-1)"
  sleep 1.5
  grim -o HEADLESS-1 "$shots/$tag-1.png"
  sleep 2
  grim -o HEADLESS-1 "$shots/$tag-2.png"
  local first second
  first=$(lit "$shots/$tag-1.png")
  second=$(lit "$shots/$tag-2.png")
  check "s at scale $scale: pipes drawn ($first) and growing ($second)" eval 'more_than "$first" 0.002 && more_than "$second" "$first"'
  # sway's title bars are 20-odd rows of colour across the top.
  convert "$shots/$tag-2.png" -crop x24+0+0 "$work/top.png"
  check "s at scale $scale: no title bar" more_than 0.2 "$(lit "$work/top.png")"
}

saver_fills 1 saver
wtype -s 400 q
check "a key ends the saver" ended_within "$pid" 3
check "... with exit 0" test "${status:-1}" -eq 0

saver_fills 2 saver-scale2
kill -TERM "$pid"
check "SIGTERM ends the saver" ended_within "$pid" 3
check "... with exit 0" test "${status:-1}" -eq 0
swaymsg output HEADLESS-1 scale 1 >/dev/null

# The focus going to another output deactivates the saver's toplevel.
swaymsg create_output >/dev/null
swaymsg focus output HEADLESS-1 >/dev/null
start s
check "s: a window again" poll 5 has_view 'DirectX Quorvel'
sleep 0.5
swaymsg focus output HEADLESS-2 >/dev/null
check "focus leaving ends the saver" ended_within "$pid" 3
check "... with exit 0" test "${status:-1}" -eq 0

start --layer
# pipes_drawn OUTPUT: pipes on black. sway's own background is grey on every pixel, so a screen
# mostly lit shows a surface not up yet, not pipes.
pipes_drawn() {
  grim -o "$1" "$work/shot.png" || return 1
  local share; share=$(lit "$work/shot.png")
  more_than "$share" 0.0005 && more_than 0.5 "$share"
}
check "--layer: pipes on the first output" poll 5 pipes_drawn HEADLESS-1
check "--layer: pipes on the second output" poll 5 pipes_drawn HEADLESS-2
grim -o HEADLESS-1 "$shots/layer-1.png"
grim -o HEADLESS-2 "$shots/layer-2.png"
check "--layer: no window in the tree" eval '! swaymsg -t get_tree | grep -q "\"app_id\": \"quorvel\""'
swaymsg create_output >/dev/null
check "--layer: an output added later gets its layer" poll 5 pipes_drawn HEADLESS-3
grim -o HEADLESS-3 "$shots/layer-3.png"
# A disabled output leaves (sway removes its wl_output): its layer goes, the others stay.
swaymsg output HEADLESS-2 disable >/dev/null
sleep 1
check "--layer: an output going away ends only its layer" eval 'kill -0 "$pid" && pipes_drawn HEADLESS-1'
kill -USR1 "$pid"
sleep 1
check "--layer: SIGUSR1 restarts the sets and keeps running" kill -0 "$pid"
kill -TERM "$pid"
check "--layer: SIGTERM ends it" ended_within "$pid" 3
check "... with exit 0" test "${status:-1}" -eq 0

# The GL device (forced on Mesa's software driver): EGL on each surface's wl_egl_window. A
# process draws with GL exactly when Mesa's llvmpipe threads live in it.
draws_with_gl() { grep -qs '^llvmpipe' /proc/"$1"/task/*/comm; }
swaymsg output HEADLESS-2 enable >/dev/null
QUORVEL_GL=force start --layer
check "--layer with the GL device: pipes on both outputs" \
  eval 'poll 10 pipes_drawn HEADLESS-1 && poll 10 pipes_drawn HEADLESS-2 && draws_with_gl "$pid"'
grim -o HEADLESS-2 "$shots/layer-gl.png"
kill -HUP "$pid"
check "... SIGHUP ends it with exit 0" eval 'ended_within "$pid" 3 && test "$status" -eq 0'
swaymsg output HEADLESS-1 scale 2 >/dev/null
swaymsg focus output HEADLESS-1 >/dev/null
QUORVEL_GL=force start s
check "s with the GL device at scale 2: pipes drawn" eval 'poll 10 pipes_drawn HEADLESS-1 && draws_with_gl "$pid"'
grim -o HEADLESS-1 "$shots/saver-gl-scale2.png"
kill -TERM "$pid"
check "... SIGTERM ends it with exit 0" eval 'ended_within "$pid" 3 && test "$status" -eq 0'
swaymsg output HEADLESS-1 scale 1 >/dev/null

start c
check "c: the dialog opens natively" poll 5 eval 'view "Quorvel Screen Saver(Direct X)" | grep -q "^xdg_shell"'
sleep 0.5
grim "$shots/dialog.png"
wtype -s 400 -k Escape
check "c: Escape cancels the dialog, exit 0" eval 'ended_within "$pid" 3 && test "$status" -eq 0'

check "nothing wrote the profile" cmp -s "$work/profile.before" "$XDG_CONFIG_HOME/quorvel.INI"
[ -s "$work/stderr" ] && { echo "stderr:"; cat "$work/stderr"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
