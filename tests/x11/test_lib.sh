# Shared by the X11 test scripts (sourced): a private settings folder, the pass/fail count,
# processes to kill at exit, and polling instead of fixed sleeps.
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
passed=0
failed=0
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

ok() { passed=$((passed + 1)); echo "ok: $1"; }
fail() { failed=$((failed + 1)); echo "FAIL: $1"; }
check() { local name=$1; shift; if "$@"; then ok "$name"; else fail "$name"; fi; }
# poll SECONDS COMMAND...: true as soon as the command is.
poll() { local limit=$1 i; shift; for i in $(seq 1 $((limit * 10))); do "$@" && return 0; sleep 0.1; done; "$@"; }
# profile LINE...: the settings file with these lines in its section.
profile() { { echo '[3D Screen saver Config]'; printf '%s\n' "$@"; } >"$XDG_CONFIG_HOME/quorvel.INI"; }
# ended_within PID SECONDS: true when the process ended in time; its exit status in $status.
ended_within() {
  local pid=$1 limit=$2 i
  for i in $(seq 1 $((limit * 20))); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; status=$?; return 0; fi
    sleep 0.05
  done
  return 1
}
