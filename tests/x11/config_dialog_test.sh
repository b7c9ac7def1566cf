#!/usr/bin/env bash
# The configuration dialog of the real program, driven with xdotool under a private X server.
# Usage: config_dialog_test.sh QUORVEL GTK_PROBE_MODULE CLOSE_WINDOW SCREENSHOT_DIR
set -euo pipefail
quorvel=$1 probe=$2 close_window=$3 shots=$4
mkdir -p "$shots"
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
export GTK_MODULES=$probe QUORVEL_PROBE_FILE=$work/probe.txt
ini=$XDG_CONFIG_HOME/quorvel.INI
config_title='Quorvel Screen Saver(Direct X)'

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Waits until the probe has described a window with this title.
wait_window() {
  for _ in $(seq 200); do
    grep -qxF "end	$1" "$work/probe.txt" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "no window \"$1\""
}

# The centre, in screen pixels, of the control of the last described window with this name.
centre_of() {
  awk -F'\t' -v n="$1" '$2 == n { x = int($4 + $6 / 2); y = int($5 + $7 / 2) } END { if (x == "") exit 1; print x, y }' \
    "$work/probe.txt"
}

click() {
  read -r x y < <(centre_of "$1") || fail "no control $1"
  xdotool mousemove "$x" "$y" click 1
}

start() {
  : >"$work/probe.txt"
  "$quorvel" "$@" &
  pid=$!
  wait_window "$config_title"
  window=$(xdotool search --onlyvisible --name "Quorvel Screen Saver" | head -n1)
  xdotool windowfocus --sync "$window"
}

# Waits for the program to end and checks its exit status.
wait_exit() {
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "exit status $status"
}

# The screen as the server holds it. Not xwd -root: it rebuilds the picture window by window for
# windows of a visual other than the root's (GTK takes a GL visual), and pastes a lower window's
# black hidden part over the dialog on top of it.
shot() { sleep 1; import -silent -window root "$shots/$1.png"; }

# The control with this text is painted in the last screenshot: its rectangle is mostly the
# light face of the dialog with some dark text. A window that was never painted is all black.
painted() {
  local rect light
  rect=$(awk -F'\t' -v t="$2" '$3 == t { r = $6 "x" $7 "+" $4 "+" $5 } END { if (r == "") exit 1; print r }' \
    "$work/probe.txt") || fail "no control \"$2\""
  light=$(convert "$shots/$1.png" -crop "$rect" +repage -colorspace gray -threshold 50% -format '%[fx:mean]' info:)
  awk -v l="$light" 'BEGIN { exit !(l >= 0.4 && l <= 0.995) }' ||
    fail "\"$2\" is not painted in $1.png (light share $light)"
}

# The frame asked of the window manager: move and close only, no minimise or maximise box, and a
# size fixed to the contents (minimum and maximum equal).
modal_frame() {
  local hints functions decorations
  hints=$(xprop -id "$1" _MOTIF_WM_HINTS)
  IFS=', ' read -r _ functions decorations _ <<<"${hints#*= }"
  [ $((functions)) -eq $((0x24)) ] && [ $((decorations & 0x60)) -eq 0 ] || return 1
  xprop -id "$1" WM_NORMAL_HINTS | awk '/minimum size/ { min = $NF " " $(NF - 2) } /maximum size/ { max = $NF " " $(NF - 2) }
    END { exit !(min != "" && min == max) }'
}

# c:1234 is no switch: the program ends at once without a dialog.
: >"$work/probe.txt"
timeout 10 "$quorvel" c:1234 || fail "c:1234 did not end cleanly"
[ ! -s "$work/probe.txt" ] || fail "c:1234 opened a window"
pass "c:1234 opens nothing"

# Escape and the close button cancel; an absent profile stays absent.
start c
grep -qP '^GtkLabel\tGtkLabel\tｷｬﾝｾﾙ\t' "$work/probe.txt" || fail "the Cancel button's text"
modal_frame "$window" || fail "the dialog's frame: $(xprop -id "$window" _MOTIF_WM_HINTS WM_NORMAL_HINTS)"
shot config-dialog
xdotool key Escape
wait_exit
[ ! -e "$ini" ] || fail "Escape wrote the profile"
pass "Escape cancels"

start
"$close_window" "$window"
wait_exit
[ ! -e "$ini" ] || fail "the close button wrote the profile"
pass "the close button cancels"

# A changed Number and OK: every key is written.
start -C
xdotool key ctrl+a type 7
click 1
wait_exit
[ -e "$ini" ] || fail "OK wrote no profile"
for key in Number Length Speed Width Height Specular BackgroundRGB Power Type Hard Lighting; do
  grep -q "^$key=" "$ini" || fail "key $key missing"
done
grep -qx "Number=7" "$ini" || fail "Number was not saved: $(cat "$ini")"
grep -qx "Length=10" "$ini" || fail "Length changed"
pass "OK saves all eleven keys"

# Real keys on the Speed slider (positions 1 to 300, ticks every 50, page a fifth of the range:
# 59), then OK: the profile holds the position it ended at, times ten.
slider_keys() {
  printf '[3D Screen saver Config]\nSpeed=%s\n' "$1" >"$ini"
  start c
  xdotool key Tab Tab $2
  click 1
  wait_exit
  grep -qx "Speed=$3" "$ini" || fail "keys $2 from Speed $1 saved $(grep Speed= "$ini")"
}
slider_keys 10 "Next Next Right Down Left Up Up" 1180
slider_keys 10 "Next Prior Prior" 10
slider_keys 1000 "End Left Prior" 2400
slider_keys 1000 "Home Down" 20
pass "slider keys: arrows one step, Page Up/Down by a fifth of the range, Home/End to the ends"

# An invalid Length keeps the dialog open behind the message box.
rm -f "$ini"
start /c
click 1000
xdotool key ctrl+a type 0
click 1
wait_window "Mirlow"
xdotool search --onlyvisible --name '^Mirlow$' >/dev/null || fail "no message box titled Mirlow"
grep -qP '^GtkLabel\t[^\t]*\t1 から 100 迄の整数を入力してください。\t' "$work/probe.txt" || fail "message text"
box=$(xdotool search --onlyvisible --name '^Mirlow$' | head -n1)
modal_frame "$box" || fail "the message box's frame: $(xprop -id "$box" _MOTIF_WM_HINTS WM_NORMAL_HINTS)"
# The OK button is a whole push button: taller than its label by the theme's padding.
awk -F'\t' '$1 == "window" { mirlow = ($2 == "Mirlow") } mirlow && $1 == "GtkButton" { b = $7 }
  mirlow && $1 == "GtkLabel" && $3 == "OK" { l = $7 } END { exit !(b >= l + 8) }' "$work/probe.txt" ||
  fail "the OK button is squeezed to its label"
shot length-message
painted length-message "1 から 100 迄の整数を入力してください。"
painted length-message OK
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^Mirlow$' >/dev/null && fail "the message box stayed"
kill -0 "$pid" || fail "the dialog closed after the message"
xdotool key Escape
wait_exit
[ ! -e "$ini" ] || fail "a failed OK wrote the profile"
pass "an invalid Length shows the message and keeps the dialog"

# The About box opens over the dialog; a termination signal cancels both cleanly.
start c
click 1006
wait_window "Quorvel(Direct X)"
grep -qP '^GtkLabel\tGtkLabel\tQuorvel Screen Saver\( Direct X\)\t' "$work/probe.txt" || fail "About title text"
# Centred on the configuration dialog: the centres of the two windows' layouts coincide.
centres=$(awk -F'\t' '$1 == "window" { title = $2 } $1 == "GtkFixed" { print title "\t" int($4 + $6 / 2) "\t" int($5 + $7 / 2) }' \
  "$work/probe.txt")
config_centre=$(grep -F "$config_title" <<<"$centres" | tail -n1 | cut -f2-)
about_centre=$(grep -F "Quorvel(Direct X)" <<<"$centres" | tail -n1 | cut -f2-)
# A window manager places the About box itself, centred on the dialog's frame: off by at most
# the height of a title bar.
slack=0
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && slack=24
[ -n "$about_centre" ] && awk -v a="$config_centre" -v b="$about_centre" -v s="$slack" 'BEGIN {
  split(a, p, "\t"); split(b, q, "\t"); dx = p[1] - q[1]; dy = p[2] - q[2]
  exit !(dx * dx <= (s ? 4 : 0) && dy * dy <= s * s) }' || fail "About not centred: $config_centre / $about_centre"
shot about-box
painted about-box "Quorvel Screen Saver( Direct X)"
painted about-box OK
# The configuration dialog takes no input meanwhile: its About button opens no second box.
click 1006
sleep 0.5
[ "$(xdotool search --onlyvisible --name '^Quorvel\(Direct X\)$' | wc -l)" -eq 1 ] || fail "the dialog took a click under the About box"
kill -TERM "$pid"
wait_exit
[ ! -e "$ini" ] || fail "SIGTERM wrote the profile"
pass "About opens; SIGTERM cancels"
