#!/usr/bin/env bash
# The real program run by a screen-saver host (test-host) under the private Xvfb that
# with-xvfb.sh started (1920x1080x24), and under Xvfbs of its own for other depths.
# Usage: hosted_x11_test.sh QUORVEL TEST_HOST SHOT_DIR
set -uo pipefail
quorvel=$1
test_host=$2
shots=$3
mkdir -p "$shots"
. "$(dirname "$0")/test_lib.sh"

# host N [--argb] X Y W H: a host window; its id in host_win[N], its rectangle in host_rect[N],
# commands go to it through file descriptor 10+N.
declare -A host_win host_rect
host() {
  local n=$1; shift
  local fifo="$work/host$n"
  mkfifo "$fifo"
  "$test_host" "$@" <"$fifo" >"$fifo.out" &
  pids+=($!)
  eval "exec $((10 + n))>\"$fifo\""
  poll 5 test -s "$fifo.out" || return 1
  host_win[$n]=$(head -n1 "$fifo.out")
  local args=("$@"); while [[ ${args[0]} == --* ]]; do args=("${args[@]:1}"); done
  host_rect[$n]="${args[0]} ${args[1]} ${args[2]} ${args[3]}"
}
# host_do N COMMAND: sends a command and waits until the host has carried it out.
host_do() {
  local n=$1; shift
  local out="$work/host$n.out" before
  before=$(wc -l <"$out")
  echo "$*" >&$((10 + n))
  poll 5 eval '[ "$(wc -l <"$out")" -gt "$before" ]'
}
resized() { local n=$1 w=$2 h=$3; read -r x y _ _ <<<"${host_rect[$n]}"; host_rect[$n]="$x $y $w $h"; }

# saver VAR ARGS...: starts the program with these arguments; its pid in VAR.
saver() { local var=$1; shift; "$quorvel" "$@" 2>"$work/stderr.$var" & printf -v "$var" %s $!; pids+=($!); }
ends_cleanly() { ended_within "$1" 1 && [ "$status" -eq 0 ]; }
running() { kill -0 "$1" 2>/dev/null; }

shot() { xwd -root -silent | convert xwd:- "$work/shot.png"; }
geometry() { read -r x y w h <<<"${host_rect[$1]}"; echo "${w}x${h}+${x}+${y}"; }
# The colour at a point of the last screenshot, as rgb(R,G,B).
pixel() {
  convert "$work/shot.png" -format "rgb(%[fx:int(255*p{$1,$2}.r+0.5)],%[fx:int(255*p{$1,$2}.g+0.5)],%[fx:int(255*p{$1,$2}.b+0.5)])" info:
}
# The background grey of the program's picture, taken from a point; false until it shows.
take_grey() {
  local p; p=$(pixel "$1" "$2")
  [[ $p =~ ^rgb\(([0-9]+),([0-9]+),([0-9]+)\)$ ]] || return 1
  local r=${BASH_REMATCH[1]} g=${BASH_REMATCH[2]} b=${BASH_REMATCH[3]}
  # A 16-bit visual keeps 5 or 6 bits of each channel.
  ((r > 60 && (r - g) ** 2 < 49 && (g - b) ** 2 < 49)) && grey=$p
}
# Pixels of rectangle N that differ from the background grey.
pipe_pixels() {
  convert "$work/shot.png" -crop "$(geometry "$1")" +repage "$work/crop.png"
  read -r _ _ w h <<<"${host_rect[$1]}"
  compare -metric AE -fuzz 3% "$work/crop.png" -size "${w}x${h}" "xc:$grey" null: 2>&1 | cut -d' ' -f1
}
# Pixels outside every host rectangle given that are not black (the bare root is black).
outside_pixels() {
  local draw=() n x y w h
  for n in "$@"; do
    read -r x y w h <<<"${host_rect[$n]}"
    draw+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  done
  convert "$work/shot.png" -fill black "${draw[@]}" "$work/outside.png"
  compare -metric AE "$work/outside.png" -size "$(identify -format %wx%h "$work/shot.png")" xc:black null: 2>&1 |
    cut -d' ' -f1
}
# The background reached both far corners of rectangle N.
corners_grey() {
  read -r x y w h <<<"${host_rect[$1]}"
  [ "$(pixel $((x + 1)) $((y + 1)))" = "$grey" ] && [ "$(pixel $((x + w - 2)) $((y + h - 2)))" = "$grey" ]
}
has_pipes() { shot; [ "$(pipe_pixels "$1")" -gt "${2:-20}" ]; }
# The picture in rectangle N changes from one look to the next.
animates() {
  local first second
  shot; first=$(convert "$work/shot.png" -crop "$(geometry "$1")" rgb:- | md5sum)
  sleep 0.6
  shot; second=$(convert "$work/shot.png" -crop "$(geometry "$1")" rgb:- | md5sum)
  [ "$first" != "$second" ]
}
child_size() { xwininfo -children -id "${host_win[$1]}" | grep -o ' [0-9]*x[0-9]*+0+0' | head -n1 | tr -d ' '; }
root_children() { xwininfo -root -children | grep -c '^ *0x'; }

# --- a grey background shows what the program draws, black outside shows what it must not
profile Speed=200 BackgroundRGB=50 Number=3 Length=200
host 1 100 100 400 300 || { echo "FAIL: test-host did not start"; exit 1; }
shot
check "the bare root is black" test "$(pixel 10 10)" = "rgb(0,0,0)"
top_level=$(root_children)
saver a --window-id "$((host_win[1]))"
check "decimal --window-id: the background fills the host window" poll 5 eval 'shot; take_grey 101 101 && corners_grey 1'
check "pipes appear inside the host window" poll 5 has_pipes 1
check "nothing is drawn outside it" test "$(outside_pixels 1)" = 0
check "no window of its own on the root" test "$(root_children)" = "$top_level"
cp "$work/shot.png" "$shots/hosted-decimal.png"

host_do 1 resize 700 500 && resized 1 700 500
check "after a resize the child has the new size" poll 3 eval '[ "$(child_size 1)" = "700x500+0+0" ]'
check "and the picture fills it" poll 3 eval 'shot; corners_grey 1 && [ "$(pipe_pixels 1)" -gt 20 ]'
check "still nothing outside" test "$(outside_pixels 1)" = 0
cp "$work/shot.png" "$shots/hosted-resized.png"

# SIGUSR1: the grown set goes, a new one starts at once.
poll 10 eval 'shot; [ "$(pipe_pixels 1)" -gt 1500 ]'
grown=$(pipe_pixels 1)
kill -USR1 "$a"
check "SIGUSR1 starts a new set (pipe pixels fall from $grown)" poll 2 eval 'shot; [ "$(pipe_pixels 1)" -lt $((grown / 3)) ]'
check "and the program keeps running" running "$a"
check "and the new set grows" poll 5 has_pipes 1
kill -TERM "$a"
check "SIGTERM ends it within 1 s with exit 0" ends_cleanly "$a"
check "its stderr is empty" test ! -s "$work/stderr.a"

# --- hex id and XSCREENSAVER_WINDOW side by side: both animate, the host's end ends only one
profile Speed=100 BackgroundRGB=50 Number=2 Length=200
host 2 900 100 300 300
host 3 1300 100 500 400
saver b --window-id "${host_win[2]}"
XSCREENSAVER_WINDOW="${host_win[3]}" saver c -root
check "hex --window-id: pipes in its window" poll 5 has_pipes 2
check "XSCREENSAVER_WINDOW with -root: pipes in its window" poll 5 has_pipes 3
check "both windows animate" eval 'animates 2 && animates 3'
check "nothing outside either" test "$(outside_pixels 1 2 3)" = 0
cp "$work/shot.png" "$shots/hosted-side-by-side.png"
host_do 2 destroy
check "the host destroying its window ends that one within 1 s with exit 0" ends_cleanly "$b"
check "the other goes on" eval 'running "$c" && animates 3'
kill -INT "$c"
check "SIGINT ends it with exit 0" ends_cleanly "$c"
host_do 3 destroy

# --- a 32-bit ARGB window of a compositing host
host 4 --argb 100 500 400 300
saver d --window-id "${host_win[4]}"
check "ARGB window: pipes on the grey background" poll 5 eval 'has_pipes 4 && corners_grey 4'
cp "$work/shot.png" "$shots/hosted-argb.png"
kill -HUP "$d"
check "SIGHUP ends it with exit 0" ends_cleanly "$d"

# --- a host's options override the profile for the run: a slow, black profile, a fast, grey run
profile Speed=3000 BackgroundRGB=0 Number=1 Length=10
host 9 100 100 400 300
saver o --window-id "${host_win[9]}" -background 80 -speed 20 -number 5 -length 100 -order all -lighting spot
check "-background 80: the background is 80 % grey" poll 5 eval 'shot; take_grey 101 101 && [ "$grey" = "rgb(203,203,203)" ]'
check "-speed 20 -number 5: many pipes within 3 s" poll 3 eval 'shot; [ "$(pipe_pixels 9)" -gt 4000 ]'
cp "$work/shot.png" "$shots/hosted-options.png"
kill -TERM "$o"
check "the run ends cleanly" ends_cleanly "$o"
check "and leaves the profile as it was" eval \
  '[ "$(cat "$XDG_CONFIG_HOME/quorvel.INI")" = "$(printf "[3D Screen saver Config]\nSpeed=3000\nBackgroundRGB=0\nNumber=1\nLength=10")" ]'
# refused OPTION...: exit 1 with one line on stderr naming the first option.
refused() {
  timeout 5 "$quorvel" --window-id "${host_win[9]}" "$@" 2>"$work/opt.err"
  [ $? -eq 1 ] && [ "$(wc -l <"$work/opt.err")" -eq 1 ] && grep -q -- "$1" "$work/opt.err"
}
check "an option out of its range is refused with one line naming it, exit 1" refused -number 21
check "an option without its value is refused with one line naming it, exit 1" refused -speed
host_do 9 destroy

# --- no display switch and no input: Width and Height name a mode the server has (held by
# xrandr-hold-modes, built beside test-host); pointer, button and key go to the host's window
mkfifo "$work/hold.in"
"$(dirname "$test_host")/xrandr-hold-modes" 1024x768 <"$work/hold.in" >"$work/hold.out" &
pids+=($!)
exec 8>"$work/hold.in"
check "the server has a 1024x768 mode" poll 5 grep -q ready "$work/hold.out"
root_size() { xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
profile Speed=100 BackgroundRGB=50 Width=1024 Height=768
host 10 100 100 400 300
saver h --window-id "${host_win[10]}"
check "Width and Height in the profile: pipes in the window" poll 5 has_pipes 10
check "and the screen keeps its size" test "$(root_size)" = 1920x1080
xdotool windowfocus "${host_win[10]}"
for i in 1 2 3 4; do xdotool mousemove --sync $((200 + 20 * i)) 200; done
xdotool click 1 key a
check "four pointer moves, a click and a key leave it running" eval 'sleep 0.5; running "$h"'
kill -TERM "$h"; ends_cleanly "$h"
host_do 10 destroy
exec 8>&-

# --- without XDG_CONFIG_HOME the profile is ~/.config/quorvel.INI
mkdir -p "$work/home/.config"
printf '[3D Screen saver Config]\nBackgroundRGB=80\n' >"$work/home/.config/quorvel.INI"
host 11 100 100 400 300
xdg=$XDG_CONFIG_HOME
unset XDG_CONFIG_HOME
HOME=$work/home saver k --window-id "${host_win[11]}"
export XDG_CONFIG_HOME=$xdg
check "\$HOME/.config/quorvel.INI: BackgroundRGB=80 is 80 % grey" poll 5 eval \
  'shot; take_grey 101 101 && [ "$grey" = "rgb(203,203,203)" ]'
kill -TERM "$k"; ends_cleanly "$k"
host_do 11 destroy

# --- ids that name no window: one line naming the id, exit 1, nothing drawn
bad_id() {
  local id=$1; shift
  local before after
  before=$(xwininfo -root -tree | wc -l)
  "$@" 2>"$work/bad.err" >/dev/null
  local code=$?
  after=$(xwininfo -root -tree | wc -l)
  [ "$code" -eq 1 ] && [ "$(wc -l <"$work/bad.err")" -eq 1 ] && grep -qF "\"$id\"" "$work/bad.err" &&
    [ "$before" -eq "$after" ] || { echo "  exit $code, stderr:"; cat "$work/bad.err"; return 1; }
}
for id in abc 0 0x 12x -5 0x7ffffff 99999999999 ''; do
  check "--window-id '$id' is refused" bad_id "$id" "$quorvel" --window-id "$id"
done
check "--window-id=0x7ffffff is refused" bad_id 0x7ffffff "$quorvel" --window-id=0x7ffffff
check "--window-id without a value is refused" bad_id '' "$quorvel" --window-id
check "-root with an empty XSCREENSAVER_WINDOW is refused" bad_id '' env XSCREENSAVER_WINDOW= "$quorvel" -root
check "-root with a malformed XSCREENSAVER_WINDOW is refused" bad_id 'win 7' env XSCREENSAVER_WINDOW='win 7' "$quorvel" -root
# A hostile id: the message quotes only its start and writes no control character.
short_line() {
  "$quorvel" --window-id "$1" 2>"$work/bad.err"
  [ $? -eq 1 ] && [ "$(wc -l <"$work/bad.err")" -eq 1 ] && [ "$(wc -c <"$work/bad.err")" -lt 200 ] &&
    grep -qF "$2" "$work/bad.err" && ! LC_ALL=C grep -q '[[:cntrl:]]' <(tr -d '\n' <"$work/bad.err") ||
    { echo "  stderr:"; head -c 300 "$work/bad.err" | od -c | head; return 1; }
}
check "a 100,000-character id gives one short line" short_line "$(head -c 100000 /dev/zero | tr '\0' 7)" '"7777'
check "control characters in an id are escaped" short_line $'a\e[2J\nb\a' '"a\x1B[2J\x0Ab\x07"'

# --- other depths, the desktop, and a server that goes away, on Xvfbs of this test's own
xvfb_pid=""
own_xvfb() {
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null; }
  rm -f "$work/display"
  Xvfb -displayfd 9 -screen 0 "$1" -nolisten tcp -noreset 9>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  pids+=("$xvfb_pid")
  poll 10 test -s "$work/display" && export DISPLAY=":$(head -n1 "$work/display")"
}
own_xvfb 800x600x16
profile Speed=100 BackgroundRGB=50
host 5 100 100 400 300
saver e --window-id "${host_win[5]}"
check "16-bit visual: pipes on the grey background" poll 5 eval 'shot; take_grey 101 101 && corners_grey 5 && has_pipes 5'
cp "$work/shot.png" "$shots/hosted-16bit.png"
kill -TERM "$e"; ends_cleanly "$e"
host_do 5 destroy
unset XSCREENSAVER_WINDOW
saver f -root
host_rect[6]="0 0 800 600"
check "-root without XSCREENSAVER_WINDOW draws on the whole screen" poll 5 eval 'shot; take_grey 1 1 && corners_grey 6 && has_pipes 6'
kill -TERM "$f"; ends_cleanly "$f"

own_xvfb 800x600x8
host 7 100 100 400 300
check "an 8-bit PseudoColor window is refused, naming its visual" eval \
  '"$quorvel" --window-id "${host_win[7]}" 2>"$work/visual.err"; [ $? -eq 1 ] && grep -q "PseudoColor" "$work/visual.err"'
cat "$work/visual.err"

own_xvfb 800x600x24
host 8 --vroot 100 100 400 300
saver g -root
check "-root draws in the virtual root a window manager announces" poll 5 eval \
  'shot; take_grey 101 101 && corners_grey 8 && has_pipes 8 && [ "$(outside_pixels 8)" = 0 ]'
kill "$xvfb_pid"
check "the X server going away ends it within 1 s" ended_within "$g" 1
wait "$xvfb_pid" 2>/dev/null

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
