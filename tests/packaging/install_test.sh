#!/usr/bin/env bash
# Installs the build into a temporary root and builds the Debian package; checks what both hold.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { local name=$1; shift; if "$@"; then passed=$((passed + 1)); echo "ok: $name"; else failed=$((failed + 1)); echo "FAIL: $name"; fi; }
has_line() { grep -qxF "$2" "$1"; }

DESTDIR="$work/root" cmake --install "$build" --prefix /opt/q >/dev/null
r="$work/root/opt/q"
check "the program under the prefix, executable" test -x "$r/bin/quorvel"
check "and the image it starts" test -x "$r/libexec/quorvel/quorvel"
check "the installed program refuses a bad window id with exit 1" eval \
  '"$r/bin/quorvel" --window-id abc 2>"$work/err"; [ $? -eq 1 ] && grep -q "\"abc\"" "$work/err"'
check "the manual page, in section 6" eval 'grep -q "^\.TH QUORVEL 6" <<<"$(zcat "$r/share/man/man6/quorvel.6.gz")"'
documents_all() {
  local manual term
  manual=$(zcat "$r/share/man/man6/quorvel.6.gz")
  for term in '\-root' 'window\-id' '\-number' '\-lighting' '\-order' '\-background' XSCREENSAVER_WINDOW SIGUSR1 quorvel.INI '[3D Screen saver Config]' \
    Number Length Speed Width Height Specular BackgroundRGB Power Type Hard Lighting; do
    grep -qF -- "$term" <<<"$manual" || { echo "  missing: $term"; return 1; }
  done
}
check "it documents the modes, the host arguments and every setting" documents_all
check "the manual page renders without warnings" eval \
  '[ -z "$(MANWIDTH=80 man --warnings -l "$r/share/man/man6/quorvel.6.gz" 2>&1 >/dev/null)" ]'
app="$r/share/applications/quorvel.desktop"
theme="$r/share/applications/screensavers/quorvel.desktop"
check "the desktop entry opens the configuration dialog" has_line "$app" "Exec=quorvel c"
# MATE's screensaver runs a theme's command only from its hosts' folders, never from PATH.
check "the hosts' folder links to the program" eval \
  '[ "$(readlink "$r/libexec/xscreensaver/quorvel")" = ../../bin/quorvel ] && [ -x "$r/libexec/xscreensaver/quorvel" ]'
check "the screensaver theme runs it from there with -root" eval \
  'has_line "$theme" "Exec=/opt/q/libexec/xscreensaver/quorvel -root" &&
   has_line "$theme" "TryExec=/opt/q/libexec/xscreensaver/quorvel"'
check "both desktop files are valid" desktop-file-validate --no-hints "$app" "$theme"
hack="$r/share/xscreensaver/config/quorvel.xml"
check "the hack description is well-formed XML" xmllint --noout "$hack"
check "and names the program with -root" eval \
  '[ "$(xmllint --xpath "string(/screensaver/@name)" "$hack")" = quorvel ] &&
   [ "$(xmllint --xpath "string(/screensaver/command/@arg)" "$hack")" = -root ]'
# Each setting of the panel is an option the program takes, over the slider's whole range.
# (The bad window id is refused after the options are read.)
takes() { "$r/bin/quorvel" --window-id abc "$@" 2>"$work/err"; grep -q '"abc"' "$work/err"; }
refuses() { ! "$r/bin/quorvel" --window-id abc "$@" 2>"$work/err" && grep -qF -- "$1" "$work/err"; }
panel_matches_the_program() {
  local n arg low high set
  n=$(xmllint --xpath 'count(//number)' "$hack")
  [ "$n" -eq 6 ] || { echo "  $n sliders"; return 1; }
  for i in $(seq "$n"); do
    arg=$(xmllint --xpath "string((//number)[$i]/@arg)" "$hack"); arg=${arg% %}
    low=$(xmllint --xpath "string((//number)[$i]/@low)" "$hack")
    high=$(xmllint --xpath "string((//number)[$i]/@high)" "$hack")
    takes "$arg" "$low" "$arg" "$high" && refuses "$arg" $((low - 1)) && refuses "$arg" $((high + 1)) ||
      { echo "  $arg $low..$high: $(cat "$work/err")"; return 1; }
  done
  for i in $(seq "$(xmllint --xpath 'count(//option[@arg-set])' "$hack")"); do
    set=$(xmllint --xpath "string((//option[@arg-set])[$i]/@arg-set)" "$hack")
    # shellcheck disable=SC2086 # an option and its value
    takes $set || { echo "  $set: $(cat "$work/err")"; return 1; }
  done
}
check "its sliders and choices are options the program takes, over the same ranges" panel_matches_the_program
check "nothing else is installed" test "$(find "$work/root" ! -type d | wc -l)" -eq 7

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null 2>&1)
deb=$(ls "$work"/deb/quorvel_*.deb 2>/dev/null | head -n1)
check "cpack builds the package" test -n "$deb"
# (Output is read whole before grep: grep -q leaving early would fail the pipe.)
check "its dependencies are computed from the program" eval \
  'depends=$(dpkg-deb -f "$deb" Depends); grep -q "libc6 (>=" <<<"$depends" && grep -q libgtk-3-0 <<<"$depends"'
check "it installs under /usr" eval 'contents=$(dpkg-deb -c "$deb"); grep -q " ./usr/bin/quorvel$" <<<"$contents" &&
  grep -q " ./usr/libexec/quorvel/quorvel$" <<<"$contents"'
check "with the link in the hosts' folder" eval \
  'grep -q " ./usr/libexec/xscreensaver/quorvel -> ../../bin/quorvel$" <<<"$(dpkg-deb -c "$deb")"'
dpkg-deb -x "$deb" "$work/deb/x"
check "and a theme that names /usr/libexec/xscreensaver/quorvel" eval \
  'has_line "$work/deb/x/usr/share/applications/screensavers/quorvel.desktop" "Exec=/usr/libexec/xscreensaver/quorvel -root"'

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
