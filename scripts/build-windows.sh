#!/usr/bin/env bash
# Builds quorvel.scr for 64-bit Windows (build-win64/) and 32-bit Windows (build-win32/) with
# mingw-w64, installing what is missing. With --test it then runs the Windows tests under wine:
# those of the 64-bit build always, those of the 32-bit build where this machine can run 32-bit
# code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh cmake ninja-build python3 googletest \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix python3-glad \
  wine64 xvfb xauth xdotool x11-utils imagemagick fonts-ipafont-gothic

# 32-bit Windows programs run only where the kernel runs 32-bit programs and wine32 is there.
wine32=""
if [ -x /usr/lib/wine/wine ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then wine32=/usr/lib/wine/wine; fi

# Release builds, stripped: what is shipped carries no debug sections.
scripts/build.sh build-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/x86_64-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release
scripts/build.sh build-win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/i686-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUORVEL_WINE32="$wine32"
file build-win64/shell/quorvel.scr | grep -q 'PE32+ executable (GUI) x86-64' ||
  { echo "build-win64/shell/quorvel.scr is not a 64-bit GUI program" >&2; exit 1; }
file build-win32/shell/quorvel.scr | grep -q 'PE32 executable (GUI) Intel 80386' ||
  { echo "build-win32/shell/quorvel.scr is not a 32-bit GUI program" >&2; exit 1; }
echo "Built build-win64/shell/quorvel.scr and build-win32/shell/quorvel.scr"

[ "${1:-}" = "--test" ] || exit 0
# Wine keeps its state in a prefix of the tests' own, never the user's.
export WINEPREFIX="$root/build-win64/wineprefix-unit" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
(cd build-win64 && ctest --output-on-failure)
if [ -n "$wine32" ]; then
  WINEPREFIX="$root/build-win32/wineprefix-unit" WINEARCH=win32 bash -c 'cd build-win32 && ctest --output-on-failure'
else
  # What the file holds is read without running it.
  (cd build-win32 && ctest --output-on-failure -L '^file$')
  echo "32-bit Windows tests that run the programs skipped: this machine cannot run 32-bit programs"
fi
