#!/usr/bin/env bash
# Runs the permission tests of the profile as an ordinary user: root reads and writes anything,
# so under root (as CI runs) they would skip. A skipped test fails here.
# Usage: run_unprivileged.sh PROFILE_TESTS
set -euo pipefail
filter='Profile.UnreadableFileGivesDefaultsAndIsNotOverwritten:Profile.FailedWritesReturnFalseAndLeaveNothingBehind'
run=("$1" --gtest_filter="$filter")
if [ "$(id -u)" -eq 0 ]; then
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp TMPDIR=/tmp "${run[@]}")
fi
out=$("${run[@]}" 2>&1) || { echo "$out"; exit 1; }
echo "$out"
grep -q '\[  PASSED  \] 2 tests' <<<"$out" || { echo "FAIL: the permission tests did not both run and pass"; exit 1; }
