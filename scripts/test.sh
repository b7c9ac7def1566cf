#!/usr/bin/env bash
# Checks the folder dependencies, installs what is missing, builds, and runs every test; then the
# thread-sanitizer build of the threading tests; then the Windows builds and their tests under wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/check-deps.sh
scripts/install-deps.sh
scripts/build.sh build
(cd build && ctest --output-on-failure -j 2)
cmake -S . -B build-tsan -G Ninja -DQUORVEL_SANITIZER=thread >/dev/null
cmake --build build-tsan -j "$(nproc)" --target thread_tests
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -L thread)
# The Windows builds (64- and 32-bit quorvel.scr) and their tests under wine64.
scripts/build-windows.sh --test
