#!/usr/bin/env bash
# quorvel.scr in its three modes under wine64, in a Wine virtual desktop on the private Xvfb
# (run through tests/x11/with-xvfb.sh --screen 1024x768x24). Wine's prefix is the test's own.
# Usage: wine_saver_test.sh <quorvel.scr> <saver_host.exe> <wine_probe.exe> <screenshot dir>
set -euo pipefail
scr=$1 host=$2 probe=$3 shots=$4
wine=${QUORVEL_WINE:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver
mkdir -p "$shots"
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
ini="$WINEPREFIX/drive_c/windows/quorvel.INI"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
shot() { xwd -root -silent | convert xwd:- "$shots/$1.png"; }
# Fraction of pixels of a screenshot region (WxH+X+Y) that are not black.
lit() { convert "$shots/$1.png" -crop "$2" +repage -fill white +opaque black -format '%[fx:mean]' info:; }
key() { xdotool key --delay 150 "$@"; }
texts() { "$wine" "$probe" texts "$1" 2>/dev/null | tr -d '\r'; }
# Waits up to 20 s for a top-level window of the session with that caption.
wait_window() {
  for _ in $(seq 1 80); do texts "$1" >/dev/null && return 0; sleep 0.25; done
  return 1
}
# Whether the window with that caption is centred on a rectangle ("left top right bottom"), to a
# pixel, as far as the work area lets it.
centred_on() {
  local w a r
  read -r -a w < <("$wine" "$probe" rect "$1" 2>/dev/null | tr -d '\r') || return 1
  read -r -a a <<<"$2"
  read -r -a r < <("$wine" "$probe" workarea | tr -d '\r')
  [ "${#w[@]}" -eq 4 ] || return 1
  local width=$((w[2] - w[0])) height=$((w[3] - w[1]))
  local x=$(((a[0] + a[2] - width) / 2)) y=$(((a[1] + a[3] - height) / 2))
  x=$((x + width > r[2] ? r[2] - width : x)); x=$((x < r[0] ? r[0] : x))
  y=$((y + height > r[3] ? r[3] - height : y)); y=$((y < r[1] ? r[1] : y))
  (((w[0] - x) ** 2 <= 1 && (w[1] - y) ** 2 <= 1)) ||
    { echo "  window ${w[*]} on ${a[*]} in the work area ${r[*]}: expected at $x $y"; return 1; }
}
# Waits for a background program and checks its exit code.
expect_exit() {
  local pid=$1 want=$2 what=$3 code=0
  for _ in $(seq 1 60); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "$what: still running"; return; fi
  wait "$pid" || code=$?
  [ "$code" -eq "$want" ] || fail "$what: exit code $code, expected $want"
}

# The prefix: a 1024x768 virtual desktop with a blue background for every program, and the
# dialog font found under its Japanese name, as a Japanese Windows would.
"$wine" wineboot --init >/dev/null 2>&1
reg() { "$wine" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
reg 'HKCU\Control Panel\Colors' /v Background /d '0 0 160'
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
  /d 'ipagp.ttf,IPAPGothic'
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w

# The desktop lives for the whole test, so that display modes can be watched across runs.
"$wine" explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
for _ in $(seq 1 80); do xdotool search --name 'Wine desktop' >/dev/null 2>&1 && break; sleep 0.25; done
desktop=$(xdotool search --name 'Wine desktop' | head -n1)
xdotool windowfocus --sync "$desktop"

echo "== /a ends at once"
code=0; timeout 60 "$wine" "$scr" /a || code=$?
[ "$code" -eq 0 ] || fail "/a: exit code $code"

echo "== /p <HWND>: a child window over the host; closing the host ends the saver"
"$wine" "$host" "$scr" /p 12 &
pid=$!
wait_window 'Saver host' || fail "/p: no host window"
# The host's only child is the preview. (Wine gives a child window of another process nothing
# to draw on, so its picture cannot be seen here; on Windows it fills the host.)
child=no
for _ in $(seq 1 20); do
  [ "$(texts 'Saver host' | wc -l)" -ge 2 ] && { child=yes; break; }
  sleep 0.25
done
[ "$child" = yes ] || fail "/p: no preview window in the host"
shot preview
expect_exit "$pid" 0 "/p (host closed)"

echo "== /s: black before the first tick, pipes after, a key ends it; the display mode comes back"
printf '[3D Screen saver Config]\r\nSpeed=3000\r\nNumber=3\r\nType=1\r\nWidth=800\r\nHeight=600\r\n' >"$ini"
# Wine's trace of the WGL calls tells which device drew: only the GL device swaps buffers.
WINEDEBUG=+wgl "$wine" "$scr" /s 2>"$shots/wgl-software.log" &
pid=$!
# The first tick comes 3 s after the window appears: shots taken right after it are before it.
wait_window 'DirectX Quorvel' || fail "/s: no saver window"
black=no
for _ in $(seq 1 8); do
  shot saver-before-tick
  if [ "$(lit saver-before-tick 800x600+0+0)" = 0 ]; then black=yes; break; fi
  sleep 0.1
done
[ "$black" = yes ] || fail "/s: the window is not black before the first tick"
size=$("$wine" "$probe" screen | tr -d '\r')
[ "$size" = 800x600 ] || fail "/s: screen $size during the run, expected the switch to 800x600"
sleep 12
shot saver-pipes
awk -v f="$(lit saver-pipes 800x600+0+0)" 'BEGIN { exit !(f > 0) }' || fail "/s: no pipes after the ticks"
key space
expect_exit "$pid" 0 "/s"
size=$("$wine" "$probe" screen | tr -d '\r')
[ "$size" = 1024x768 ] || fail "/s: screen $size after the run, expected 1024x768 again"
rm -f "$ini"
# Wine's GL is Mesa's llvmpipe, a software driver: the software device drew.
! grep -q wglSwapBuffers "$shots/wgl-software.log" || fail "/s: drawn with the GL device on a software driver"

echo "== /s with the GL device (QUORVEL_GL=force, Hard=1): pipes drawn through WGL, a key ends it"
printf '[3D Screen saver Config]\r\nSpeed=50\r\nNumber=4\r\nLength=100\r\nType=1\r\nHard=1\r\n' >"$ini"
QUORVEL_GL=force WINEDEBUG=+wgl "$wine" "$scr" /s 2>"$shots/wgl-hardware.log" &
pid=$!
wait_window 'DirectX Quorvel' || fail "/s GL: no saver window"
sleep 8
shot saver-gl
awk -v f="$(lit saver-gl 1024x768+0+0)" 'BEGIN { exit !(f > 0.002) }' || fail "/s GL: no pipes"
key space
expect_exit "$pid" 0 "/s GL"
grep -q wglSwapBuffers "$shots/wgl-hardware.log" || fail "/s GL: not drawn with the GL device"
rm -f "$ini"

caption='Quorvel Screen Saver(Direct X)'
check_dialog() { # the labels as the dialog manager holds them
  local got; got=$(texts "$caption")
  for label in "$caption" '１本づつのばす' 'すべてを同時にのばす' 'ハードウエアによるDirect3Dを優先' 'ｷｬﾝｾﾙ' \
               'Number of Pipe' '1000' '1.00' '0.00'; do
    grep -qxF "$label" <<<"$got" || fail "$1: no \"$label\" in the dialog"
  done
}

echo "== /c: the dialog; an invalid Length shows the message; OK writes the eleven keys"
"$wine" "$scr" /c &
pid=$!
wait_window "$caption" || fail "/c: no dialog"
sleep 1
shot config-dialog
check_dialog /c
centred_on "$caption" "$("$wine" "$probe" workarea | tr -d '\r')" || fail "/c: the dialog is not centred on the screen"
key Tab 0 Return # Length 0
wait_window Mirlow || fail "/c: no message box for Length 0"
sleep 0.5
shot config-length-message
grep -qxF '1 から 100 迄の整数を入力してください。' <<<"$(texts Mirlow)" || fail "/c: wrong message: $(texts Mirlow)"
key Return   # closes the box; the Length box has the focus with its text selected
key 7 5 Return
expect_exit "$pid" 0 "/c"
if [ -f "$ini" ]; then
  keys=$(tr -d '\r' <"$ini" | grep -cE '^(Number|Length|Speed|Width|Height|Specular|BackgroundRGB|Power|Type|Hard|Lighting)=-?[0-9]+$' || true)
  [ "$keys" -eq 11 ] || fail "OK wrote $keys of the eleven keys: $(cat "$ini")"
  tr -d '\r' <"$ini" | grep -qx 'Length=75' || fail "OK did not store Length 75"
else
  fail "OK wrote no quorvel.INI"
fi

echo "== no argument: the dialog; Escape leaves the profile as it was"
cp "$ini" "$shots/quorvel.INI"
"$wine" "$scr" &
pid=$!
wait_window "$caption" || fail "no argument: no dialog"
sleep 1
check_dialog "no argument"
key Escape
expect_exit "$pid" 0 "no argument"
cmp -s "$ini" "$shots/quorvel.INI" || fail "Cancel changed the profile"

echo "== /c:<HWND> from the settings page's button: the dialog, owned by the host"
"$wine" "$host" "$scr" /c: 0 &
pid=$!
wait_window "$caption" || fail "/c:<HWND>: no dialog"
sleep 2
shot config-owned
centred_on "$caption" "$("$wine" "$probe" rect 'Saver host' | tr -d '\r')" ||
  fail "/c:<HWND>: the dialog is not centred on its owner"
key Escape
expect_exit "$pid" 0 "/c:<HWND>"
"$wine" "$scr" /c:123456 & # a handle that names no window: the dialog opens unowned
pid=$!
wait_window "$caption" || fail "/c:<bad HWND>: no dialog"
sleep 1 # keys reach the dialog once it is active
key Escape
expect_exit "$pid" 0 "/c:<bad HWND>"

[ "$failures" -eq 0 ] || { echo "$failures failure(s); screenshots in $shots" >&2; exit 1; }
echo "all Wine checks passed; screenshots in $shots"
