#!/usr/bin/env bash
# Signals at any moment of a run, and profiles made to keep the program busy, on the real program
# under the private Xvfb that with-xvfb.sh started.
# Usage: signals_x11_test.sh QUORVEL SIGNAL_AT_START
set -uo pipefail
quorvel=$1
at_start=$2
. "$(dirname "$0")/test_lib.sh"

# --- a host's reset or close in the first milliseconds, on a saver drawing on the desktop
check "SIGUSR1 0-9 ms after start: every run goes on" "$at_start" USR1 30 "$quorvel" -root
check "SIGTERM 0-9 ms after start: every run ends with exit 0" "$at_start" TERM 30 "$quorvel" -root

# --- a burst of resets while it draws: no call cut short, no X connection lost
"$quorvel" -root 2>"$work/burst.err" &
burst=$!
pids+=("$burst")
sleep 0.5
for _ in $(seq 1 300); do kill -USR1 "$burst"; done
sleep 0.5
check "300 resets in a burst: it goes on" kill -0 "$burst"
kill -TERM "$burst"
check "and SIGTERM ends it within 1 s with exit 0" eval 'ended_within "$burst" 1 && [ "$status" -eq 0 ]'
check "its stderr is empty" test ! -s "$work/burst.err"

# --- profiles that take long to read: SIGTERM ends s and p within 1 s at any moment of start-up
profile_file="$XDG_CONFIG_HOME/quorvel.INI"
root_window=$(xwininfo -root | awk '/Window id:/ { print $4 }')
hostile() {
  local name=$1 mode
  for mode in s p; do
    local args=("$quorvel" "$mode"); [ "$mode" = p ] && args+=("$((root_window))")
    check "$name: '$mode' ends on SIGTERM 0-9 ms after start" "$at_start" TERM 10 "${args[@]}"
    check "$name: '$mode' ends on SIGTERM 200-209 ms after start" "$at_start" --after 200 TERM 3 "${args[@]}"
  done
  rm -f "$profile_file"
}
truncate -s 1G "$profile_file"
hostile "1 GB of zeros without a line end"
{ echo '[Elsewhere]'; echo 'Number=3'; } >"$profile_file" && truncate -s 1G "$profile_file"
hostile "1 GB without the section"
{ echo '[3D Screen saver Config]'; seq -f 'Key%g=1' 1 100000; } >"$profile_file"
hostile "100,000 distinct keys"
ln -s /proc/self/pagemap "$profile_file"
hostile "a link to /proc/self/pagemap"

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
