#!/usr/bin/env bash
# The program natively on weston (run under with-weston.sh), which has no layer shell: the saver
# runs and ends on SIGTERM with exit 0; --layer says why it cannot run in one line, exit 1.
# Usage: saver_weston_test.sh QUORVEL
set -uo pipefail
quorvel=$1
source "$(dirname "$0")/../x11/test_lib.sh"
"$quorvel" s 2>"$work/stderr" & pid=$!
pids+=("$pid")
sleep 1.5
check "s runs" kill -0 "$pid"
kill -TERM "$pid"
check "SIGTERM ends it with exit 0" eval 'ended_within "$pid" 3 && test "$status" -eq 0'
check "nothing on stderr" test ! -s "$work/stderr"
status=0
"$quorvel" --layer 2>"$work/layer" || status=$?
check "--layer: exit 1" test "$status" -eq 1
check "--layer: one line naming the layer shell" eval '[ "$(wc -l <"$work/layer")" -eq 1 ] && grep -q "layer shell" "$work/layer"'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
