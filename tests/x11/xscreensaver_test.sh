#!/usr/bin/env bash
# The real program run by XScreenSaver itself under the private Xvfb that with-xvfb.sh started
# (1920x1080x24). Usage: xscreensaver_test.sh QUORVEL SHOT_DIR
# Exit 77 (skipped) where XScreenSaver is not installed.
set -uo pipefail
quorvel=$1
shots=$2
# Where scripts/install-deps.sh unpacks it.
PATH=$PATH:/opt/xscreensaver/usr/bin:/opt/xscreensaver/usr/libexec/xscreensaver
command -v xscreensaver >/dev/null && command -v xscreensaver-command >/dev/null ||
  { echo "XScreenSaver is not installed"; exit 77; }
# XScreenSaver starts no saver as root: run as nobody there.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  "${as_user[@]}" test -x "$quorvel" || { echo "nobody cannot run $quorvel"; exit 77; }
fi
mkdir -p "$shots"
. "$(dirname "$0")/test_lib.sh"
export HOME=$work/home
mkdir -p "$HOME"
if [ ${#as_user[@]} -gt 0 ]; then
  chmod 755 "$work"
  chown nobody "$HOME"
fi
cat >"$HOME/.xscreensaver" <<EOF
mode: one
selected: 0
lock: False
fade: False
unfade: False
programs: $quorvel -root \\n\\

EOF
profile Speed=100 Number=3
xss=""
# The processes under XScreenSaver; those that run the program under test.
descendants() {
  [ -n "$xss" ] && ps -e -o pid=,ppid=,args= | awk -v top="$xss" -v prog="${1:-}" '
    { parent[$1] = $2; if (prog == "" || index($0, prog)) run[$1] = 1 }
    END { for (p in run) for (q = parent[p]; q > 1; q = parent[q]) if (q == top) { print p; break } }'
}
savers() { descendants "$quorvel"; }
stop() {
  local left; left=$(descendants)
  [ -n "$xss" ] && kill -9 "$xss" $left 2>/dev/null
  cleanup
}
trap stop EXIT

lit_pixels() {
  import -silent -window root "$work/shot.png"
  compare -metric AE "$work/shot.png" -size "$(identify -format %wx%h "$work/shot.png")" xc:black null: 2>&1 |
    cut -d' ' -f1
}
# Pipes on the screen within SECONDS: lit pixels that change from one look to the next (a
# message of XScreenSaver's would stay as it is).
shows_pipes() {
  local end=$((SECONDS + $1)) first second
  second=$(lit_pixels)
  while [ "$SECONDS" -lt "$end" ]; do
    first=$second; sleep 0.3; second=$(lit_pixels)
    [ "$first" -gt 200 ] && [ "$second" -gt 200 ] && [ "$first" != "$second" ] && return 0
  done
  return 1
}

"${as_user[@]}" xscreensaver -no-splash -verbose >"$work/xscreensaver.log" 2>&1 &
xss=$!
pids+=("$xss")
check "XScreenSaver answers" poll 10 eval '"${as_user[@]}" xscreensaver-command -version >/dev/null 2>&1'
"${as_user[@]}" xscreensaver-command -activate
check "-activate starts the program" poll 5 eval '[ -n "$(savers)" ]'
check "and the screen shows pipes within 10 s" shows_pipes 10
cp "$work/shot.png" "$shots/xscreensaver.png"
"${as_user[@]}" xscreensaver-command -deactivate
check "-deactivate ends the program" poll 3 eval '[ -z "$(savers)" ]'
"${as_user[@]}" xscreensaver-command -exit
check "-exit ends XScreenSaver" ended_within "$xss" 3
[ "$failed" -eq 0 ] || cat "$work/xscreensaver.log"

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
