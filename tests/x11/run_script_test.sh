#!/usr/bin/env bash
# scripts/run.sh without a display: its screenshot shows the saver at work, whatever the user's
# settings, and the user's profile stays as it was.
# Usage: run_script_test.sh QUORVEL SHOT_DIR
set -uo pipefail
quorvel=$1
shots=$2
mkdir -p "$shots"
. "$(dirname "$0")/test_lib.sh"
# The user's settings: one slow pipe, which would show nothing in a few seconds.
profile Number=1 Speed=3000
cp "$XDG_CONFIG_HOME/quorvel.INI" "$work/before.INI"
out=$(env -u DISPLAY QUORVEL_RUN_SECONDS=3 "$(dirname "$0")/../../scripts/run.sh" --program "$quorvel")
shot=$(sed -n 's/^Screenshot: //p' <<<"$out")
check "it saves a screenshot" test -s "$shot"
[ -s "$shot" ] && mv "$shot" "$shots/run-script.png"
# Pipes are all that is not black.
lit=$(convert "$shots/run-script.png" -fill white +opaque black -format '%[fx:int(mean * w * h)]' info: 2>/dev/null)
check "it shows several pipes grown ($lit lit pixels)" test "${lit:-0}" -gt 20000
check "the user's profile is unchanged" cmp -s "$XDG_CONFIG_HOME/quorvel.INI" "$work/before.INI"
echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
