#!/usr/bin/env bash
# The GL device under the private Xvfb that with-xvfb.sh started (Mesa's llvmpipe, a software
# driver): listed and chosen only with QUORVEL_GL=force and Hard on, drawing the full-screen
# saver and a host's window, and ending as the software device does. A process draws with GL
# exactly when Mesa's llvmpipe threads live in it (the probe's context is gone by then).
# Usage: gl_device_test.sh QUORVEL QUORVEL_DEVICES TEST_HOST SHOT_DIR
set -uo pipefail
quorvel=$1
devices=$2
test_host=$3
shots=$4
mkdir -p "$shots"
. "$(dirname "$0")/test_lib.sh"

draws_with_gl() { grep -qs '^llvmpipe' /proc/"$1"/task/*/comm; }
# Bright pixels (lit pipes; neither the black background nor the host's dark red) of the screen,
# or of the rectangle W H X Y of it.
lit_pixels() {
  import -window root "$work/shot.png"
  local crop=() ; [ $# -eq 4 ] && crop=(-crop "${1}x${2}+${3}+${4}" +repage)
  convert "$work/shot.png" "${crop[@]}" -colorspace Gray -threshold 30% -format '%[fx:int(mean*w*h+0.5)]' info:
}
shows_pipes() { [ "$(lit_pixels "$@")" -gt 2000 ]; }
no_stderr() { [ ! -s "$work/stderr" ]; }
start() { "$@" 2>"$work/stderr" & pid=$!; pids+=("$pid"); }

# --- the device list and the search's choice
"$devices" >"$work/list"
check "a software driver gives no GL device" test "$(grep -c '^hardware' "$work/list")" = 0
check "and Hard on keeps the software RGB device" grep -qx 'Hard on: Software RGB device' "$work/list"
QUORVEL_GL=force "$devices" >"$work/list"
check "QUORVEL_GL=force lists the GL device with its renderer" grep -q '^hardware RGB .*(OpenGL): llvmpipe' "$work/list"
check "Hard on chooses it" grep -qx 'Hard on: Hardware RGB device (OpenGL)' "$work/list"
check "Hard off chooses the software RGB device" grep -qx 'Hard off: Software RGB device' "$work/list"
QUORVEL_GL=off "$devices" >"$work/list"
check "QUORVEL_GL=off lists no GL device" test "$(grep -c '^hardware' "$work/list")" = 0

# --- the full-screen saver
profile Speed=40 Number=4 Length=60
export QUORVEL_GL=force
start "$quorvel" s
check "the saver draws pipes with the GL device" poll 10 shows_pipes
check "with the GL device" draws_with_gl "$pid"
cp "$work/shot.png" "$shots/gl-saver.png"
xdotool key a
check "a key ends it with exit 0" eval 'ended_within "$pid" 3 && [ "$status" -eq 0 ]'
check "nothing on stderr" no_stderr
start "$quorvel" s
poll 10 shows_pipes
kill -TERM "$pid"
check "SIGTERM ends it with exit 0" eval 'ended_within "$pid" 3 && [ "$status" -eq 0 ]'

profile Speed=40 Number=4 Length=60 Hard=0
start "$quorvel" s
poll 10 shows_pipes
check "Hard off draws with the software device" eval '! draws_with_gl "$pid"'
kill -TERM "$pid"; ended_within "$pid" 3
profile Speed=40 Number=4 Length=60
QUORVEL_GL= start "$quorvel" s
poll 10 shows_pipes
check "without force a software driver leaves the software device" eval '! draws_with_gl "$pid"'
kill -TERM "$pid"; ended_within "$pid" 3

# --- a host's window
mkfifo "$work/host"
"$test_host" 200 150 640 480 <"$work/host" >"$work/host.out" &
pids+=($!)
exec 9>"$work/host"
poll 5 test -s "$work/host.out"
start "$quorvel" --window-id "$(head -n1 "$work/host.out")"
check "a host's window shows pipes drawn with the GL device" eval 'poll 10 shows_pipes 640 480 200 150 && draws_with_gl "$pid"'
cp "$work/shot.png" "$shots/gl-hosted.png"
echo "resize 320 240" >&9
poll 5 eval '[ "$(wc -l <"$work/host.out")" -gt 1 ]'
sleep 1
check "after the host's resize it draws on" poll 10 shows_pipes 320 240 200 150
kill -TERM "$pid"
check "SIGTERM ends it with exit 0" eval 'ended_within "$pid" 3 && [ "$status" -eq 0 ]'
check "nothing on stderr" no_stderr

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
