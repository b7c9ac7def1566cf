#!/usr/bin/env bash
# The saver's start-up on the current display, whatever manages its windows (none, openbox,
# weston's XWayland): the focus settling at start-up does not end it; another client taking the
# focus and SIGTERM do. Under XWayland the compositor owns the focus (it takes back any focus an
# X client sets), so --compositor-focus leaves the focus step out.
# Usage: saver_startup_test.sh QUORVEL [--compositor-focus]
set -euo pipefail
quorvel=$1
compositor_focus=${2:-}
work=$(mktemp -d)
saver="" other=""
trap '[ -n "$saver" ] && kill -9 "$saver" 2>/dev/null; [ -n "$other" ] && kill "$other" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
# Kept byte for byte: a saver run writes nothing.
printf '; by hand\n[3D Screen saver Config]\nSpeed = 100\nnumber=3\n\n[Other]\nx=1\n' >"$XDG_CONFIG_HOME/quorvel.INI"
cp "$XDG_CONFIG_HOME/quorvel.INI" "$work/profile.before"

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# The first visible window with this name, waited for.
window_named() {
  local w
  for _ in $(seq 200); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.05
  done
  return 1
}

start_saver() {
  "$quorvel" s &
  saver=$!
  window_named '^DirectX Quorvel$' >/dev/null || fail "no saver window"
}

# The saver ends within two seconds with exit status 0.
saver_ends() {
  for _ in $(seq 40); do
    kill -0 "$saver" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$saver" 2>/dev/null && return 1
  local status=0
  wait "$saver" || status=$?
  saver=""
  [ "$status" -eq 0 ]
}

start_saver
# The window manager hands the focus around for a moment after the window appears.
for _ in $(seq 40); do
  kill -0 "$saver" 2>/dev/null || fail "the saver ended by itself during start-up"
  sleep 0.05
done
pass "start-up does not end the saver"

if [ "$compositor_focus" != --compositor-focus ]; then
  xmessage -geometry 200x100+10+10 other 2>/dev/null &
  other=$!
  owin=$(window_named '^xmessage$') || fail "no other window"
  xdotool windowfocus "$owin"
  saver_ends || fail "focus taken by another client did not end the saver"
  kill "$other"; other=""
  pass "another client taking the focus ends it"
else
  kill -0 "$saver" 2>/dev/null || fail "the saver ended by itself"
  kill -TERM "$saver"
  saver_ends || fail "SIGTERM did not end the saver with exit 0"
fi

start_saver
sleep 0.5
kill -TERM "$saver"
saver_ends || fail "SIGTERM did not end the saver with exit 0"
pass "SIGTERM ends it"

# A Wayland session's variables with no compositor behind them: it comes up on X11 all the same.
WAYLAND_DISPLAY=nonexistent XDG_SESSION_TYPE=wayland "$quorvel" s &
saver=$!
window_named '^DirectX Quorvel$' >/dev/null || fail "without a compositor the saver did not come up on X11"
kill -TERM "$saver"
saver_ends || fail "SIGTERM did not end the saver with exit 0"
pass "without a compositor it comes up on X11"
cmp -s "$work/profile.before" "$XDG_CONFIG_HOME/quorvel.INI" || fail "the saver changed the profile"
pass "the profile is left as it was"
