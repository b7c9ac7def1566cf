#!/usr/bin/env bash
# Drives the real program under the private Xvfb that with-xvfb.sh started (1920x1080x24).
# Usage: saver_x11_test.sh QUORVEL XRANDR_HOLD_MODES
set -uo pipefail
quorvel=$1
hold_modes=$2
res=$(cd "$(dirname "$0")/../../res" && pwd)
. "$(dirname "$0")/test_lib.sh"

# Starts the saver; sets $saver to its pid and $win to its window once it is mapped.
start_saver() {
  "$quorvel" s &
  saver=$!
  pids+=("$saver")
  win=""
  for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name '^DirectX Quorvel$' 2>/dev/null | head -n1)
    [ -n "$win" ] && break
    sleep 0.05
  done
  [ -n "$win" ]
}

still_running() { sleep "${1:-0.5}"; kill -0 "$saver" 2>/dev/null; }
# Polls a condition for up to $1 seconds.
within() {
  local limit=$1 i
  shift
  for i in $(seq 1 $((limit * 20))); do "$@" && return 0; sleep 0.05; done
  return 1
}
# The saver holds the keyboard focus: it takes input from here on.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ]; }
ready_saver() { start_saver && within 3 has_focus; }
pointer_at() { [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:$1 y:$2" ]; }
ends_cleanly() { ended_within "$saver" 1 && [ "$status" -eq 0 ]; }

screen_mean() { xwd -root -silent | /usr/bin/convert xwd:- -format '%[fx:mean]' info:; }
screen_max() { xwd -root -silent | /usr/bin/convert xwd:- -format '%[fx:maxima]' info:; }
is_black() { [ "$(screen_max)" = "0" ]; }
shows_pipes() { awk -v m="$(screen_mean)" 'BEGIN { exit !(m > 0.0005) }'; }

root_size() { xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
window_size() { xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# --- the window, black before the first tick, pipes after it
profile Speed=3000
check "saver window appears" start_saver
check "it covers the screen" test "$(window_size)" = "$(root_size)"
check "black before the first tick" within 2 is_black
kill -TERM "$saver"; ended_within "$saver" 2

profile Speed=100 Number=3 Length=50
ready_saver
check "pipes after the first ticks" within 5 shows_pipes
xwd -root -silent | /usr/bin/convert xwd:- "$work/saver.png" && cp "$work/saver.png" "${QUORVEL_SHOT_DIR:-$work}/saver-x11.png" 2>/dev/null

# --- the mouse rule: three moves are ignored, the fourth closes
arrived=0
for i in 1 2 3; do
  xdotool mousemove --sync $((100 + 40 * i)) 200
  pointer_at $((100 + 40 * i)) 200 && arrived=$((arrived + 1))
done
check "the three moves reached the server" test "$arrived" -eq 3
check "three pointer moves keep it running" still_running 0.3
xdotool mousemove 400 400
check "the fourth move ends it with exit 0" ends_cleanly

# --- keys and buttons close; the wheel does not
profile Speed=100
for input in "key a" "key alt+x" "click 1" "click 2" "click 3"; do
  ready_saver
  xdotool $input
  check "$input ends the saver" ends_cleanly
done
ready_saver
# Raw events reach a root listener whoever holds the grab: they show that the wheel arrived.
xinput test-xi2 --root >"$work/raw.log" 2>&1 &
raw=$!
pids+=("$raw")
# Until the listener is seen to get them (it may not listen yet), the wheel turns again.
wheel_arrived() {
  xdotool click 4 click 5
  within 1 eval 'grep -A2 RawButtonPress "$work/raw.log" | grep -q "detail: 5$"'
}
check "the wheel reached the server" within 5 wheel_arrived
kill "$raw"
check "the wheel does not end the saver" still_running
kill -USR1 "$saver"
check "SIGUSR1 does not end the saver" still_running
kill -TERM "$saver"; ended_within "$saver" 2

# --- another window taking the focus ends it
ready_saver
xmessage -geometry 200x100+10+10 other &
other=$!
pids+=("$other")
for _ in $(seq 1 40); do
  owin=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n1)
  [ -n "$owin" ] && break
  sleep 0.05
done
xdotool windowfocus "$owin" 2>/dev/null
check "focus taken by another window ends it" ends_cleanly
kill "$other" 2>/dev/null

# --- SIGTERM, with a display switch made at start and restored
# The helper holds the extra mode while its input stays open.
mkfifo "$work/hold.in"
"$hold_modes" 1024x768 <"$work/hold.in" >"$work/hold.out" &
holder=$!
pids+=("$holder")
exec 8>"$work/hold.in"
for _ in $(seq 1 100); do grep -q ready "$work/hold.out" 2>/dev/null && break; sleep 0.05; done
profile Speed=100 Width=1024 Height=768
start_saver
switched() { [ "$(root_size)" = 1024x768 ] && [ "$(window_size)" = 1024x768 ]; }
check "the display was switched for the run" within 3 switched
check "the window covers the switched screen" test "$(window_size)" = "1024x768"
kill -TERM "$saver"
check "SIGTERM ends it with exit 0" ends_cleanly
check "the display is restored after SIGTERM" test "$(root_size)" = "1920x1080"
exec 8>&-
wait "$holder" 2>/dev/null

# --- SIGINT and SIGHUP end it as SIGTERM does
profile Speed=100
for sig in INT HUP; do
  ready_saver
  kill -"$sig" "$saver"
  check "SIG$sig ends it with exit 0" ends_cleanly
done

# --- preview inside a host window
profile "; by hand" "Number = 3"
cp "$XDG_CONFIG_HOME/quorvel.INI" "$work/profile.before"
xmessage -geometry 100x75+300+300 -buttons "" host &
host=$!
pids+=("$host")
for _ in $(seq 1 40); do
  hwin=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n1)
  [ -n "$hwin" ] && break
  sleep 0.05
done
own_children=$(xwininfo -children -id "$hwin" | awk '/^ +0x/ {print $1}')
"$quorvel" p "$((hwin))" &
saver=$!
pids+=("$saver")
# The preview is the host's one child that the host did not make itself.
child_in_host() {
  child=$(xwininfo -children -id "$hwin" | awk -v own="$own_children" \
    'BEGIN { split(own, o, "\n"); for (i in o) mine[o[i]] = 1 } /^ +0x/ && !($1 in mine) {print $1; exit}')
  [ -n "$child" ]
}
check "the preview runs in the host" within 3 child_in_host
check "the preview is a child filling the host" test "$(xwininfo -id "$child" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" = "$(xwininfo -id "$hwin" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
hx=$(xwininfo -id "$hwin" | awk '/Absolute upper-left X/ {print $4}')
hy=$(xwininfo -id "$hwin" | awk '/Absolute upper-left Y/ {print $4}')
# The host shows the preview bitmap squeezed to its size. Averaged over 10 x 8 blocks (thin lines
# land on other pixels at another scale) it is close to the bitmap, and far from the host's own
# white face or a black window.
/usr/bin/convert "$res/pipes.bmp" -scale '10x8!' "$work/expected.png"
shows_picture() {
  import -silent -window root -crop "100x75+$hx+$hy" +repage "$work/preview.png"
  local error
  error=$(/usr/bin/convert "$work/preview.png" -scale '10x8!' png:- |
    compare -metric RMSE - "$work/expected.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$error" 'BEGIN { exit !(e < 0.15) }'
}
check "the picture is squeezed into the host" within 3 shows_picture
cp "$work/preview.png" "${QUORVEL_SHOT_DIR:-$work}/preview-x11.png" 2>/dev/null
# The preview keeps the size it started with when the host grows.
xdotool windowsize "$hwin" 160 120
host_grown() { [ "$(xwininfo -id "$hwin" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" = 160x120 ]; }
check "the host was resized" within 3 host_grown
check "the preview keeps its size" test "$(xwininfo -id "$child" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" = 100x75
xdotool mousemove $((hx + 50)) $((hy + 30)) click 1 key a
check "input over the preview does nothing" still_running 0.3
kill -USR1 "$saver"
check "SIGUSR1 does not end the preview" still_running 0.3
kill "$host"
check "destroying the host ends the preview" ends_cleanly
check "the preview left the profile as it was" cmp -s "$work/profile.before" "$XDG_CONFIG_HOME/quorvel.INI"

# --- bad preview handles end at once without a window
for args in "p" "p abc" "p 0x1234" "p 0" "p -5" "p 99999999"; do
  "$quorvel" $args &
  saver=$!
  pids+=("$saver")
  check "quorvel $args ends at once" ends_cleanly
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
