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
  for term in '\-root' 'window\-id' XSCREENSAVER_WINDOW SIGUSR1 quorvel.INI '[3D Screen saver Config]' \
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
check "the screensaver theme runs quorvel -root" has_line "$theme" "Exec=quorvel -root"
check "both desktop files are valid" desktop-file-validate --no-hints "$app" "$theme"
hack="$r/share/xscreensaver/config/quorvel.xml"
check "the hack description is well-formed XML" xmllint --noout "$hack"
check "and names the program with -root" eval \
  '[ "$(xmllint --xpath "string(/screensaver/@name)" "$hack")" = quorvel ] &&
   [ "$(xmllint --xpath "string(/screensaver/command/@arg)" "$hack")" = -root ]'
check "nothing else is installed" test "$(find "$work/root" -type f | wc -l)" -eq 6

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null 2>&1)
deb=$(ls "$work"/deb/quorvel_*.deb 2>/dev/null | head -n1)
check "cpack builds the package" test -n "$deb"
# (Output is read whole before grep: grep -q leaving early would fail the pipe.)
check "its dependencies are computed from the program" eval \
  'depends=$(dpkg-deb -f "$deb" Depends); grep -q "libc6 (>=" <<<"$depends" && grep -q libgtk-3-0 <<<"$depends"'
check "it installs under /usr" eval 'contents=$(dpkg-deb -c "$deb"); grep -q " ./usr/bin/quorvel$" <<<"$contents" &&
  grep -q " ./usr/libexec/quorvel/quorvel$" <<<"$contents"'

echo "passed $passed, failed $failed"
[ "$failed" -eq 0 ]
