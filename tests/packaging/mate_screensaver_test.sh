#!/usr/bin/env bash
# MATE's screensaver runs Quorvel from its installed theme. The build is installed under /usr as
# the package would be, seen only by this test: in a private mount namespace an overlay puts it
# on top of the system's /usr. Runs under with-xvfb.sh; exit 77 (skipped) where it cannot run.
# Usage: mate_screensaver_test.sh BUILD_DIR SHOT_DIR
set -uo pipefail
build=$1
shots=$2
if [ -z "${QUORVEL_MATE_STAGE:-}" ]; then
  command -v mate-screensaver >/dev/null || { echo "SKIP: mate-screensaver is not installed"; exit 77; }
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null || exit 1
  mkdir -p "$stage/work"
  namespace=(unshare --mount)
  [ "$(id -u)" -eq 0 ] || namespace=(unshare --mount --map-root-user)
  QUORVEL_MATE_STAGE=$stage "${namespace[@]}" dbus-run-session -- "$0" "$@"
  exit $?
fi
stage=$QUORVEL_MATE_STAGE
mount -t overlay overlay -o "lowerdir=/usr,upperdir=$stage/root/usr,workdir=$stage/work" /usr ||
  { echo "SKIP: no overlay mount here"; exit 77; }
. "$(dirname "$0")/../x11/test_lib.sh"

# The host hands its savers HOME but not XDG_CONFIG_HOME: the profile is read from ~/.config.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
profile Speed=100 BackgroundRGB=50 Number=3 Length=200
export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=MATE NO_AT_BRIDGE=1
gsettings set org.mate.screensaver mode single
gsettings set org.mate.screensaver themes "['screensavers-quorvel']"
gsettings set org.mate.screensaver lock-enabled false
gsettings set org.mate.screensaver idle-activation-enabled false

mate-screensaver --no-daemon --debug >"$work/mate.log" 2>&1 &
mate=$!
pids+=("$mate")
poll 10 eval 'mate-screensaver-command --query >/dev/null 2>&1' || { echo "FAIL: mate-screensaver did not start"; exit 1; }
mate-screensaver-command --activate
check "the host takes the theme's command" poll 10 grep -qF \
  "Setting command for job: '/usr/libexec/xscreensaver/quorvel -root'" "$work/mate.log"
check "and runs it" poll 10 eval 'saver=$(pgrep -P "$mate" -x quorvel)'
grey_share() {
  import -silent -window root "$work/shot.png" &&
    convert "$work/shot.png" -fuzz 3% -fill white -opaque 'rgb(127,127,127)' -fill black +opaque white \
      -format '%[fx:mean]' info:
}
check "the background of the profile fills the host's window" poll 10 eval \
  'awk -v g="$(grey_share)" "BEGIN { exit !(g > 0.9) }"'
check "pipes grow on it" poll 10 eval 'awk -v g="$(grey_share)" "BEGIN { exit !(g < 0.995) }"'
mkdir -p "$shots" && cp "$work/shot.png" "$shots/mate-screensaver.png"
mate-screensaver-command --deactivate
check "deactivating the host ends the saver" poll 5 eval '! kill -0 "$saver" 2>/dev/null'
kill "$mate"
ended_within "$mate" 5

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
