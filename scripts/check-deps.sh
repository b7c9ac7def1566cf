#!/usr/bin/env bash
# Checks the folder dependency graph drawn from the quoted #include lines of the sources:
#  - no cycle between folders (each folder is a node, platform/x11 and platform/afx included);
#  - platform/ never includes a system folder (shell, render, pipes, config, res).
# check-deps.sh --graph prints the graph, "from -> to (includes)", instead of checking it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

edges() {
  git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' |
    xargs awk '
      /^[ \t]*#[ \t]*include[ \t]*"[^"]+\/[^"]+"/ {
        match($0, /"[^"]+"/)
        target = substr($0, RSTART + 1, RLENGTH - 2)
        from = FILENAME; sub(/\/[^\/]*$/, "", from)
        to = target; sub(/\/[^\/]*$/, "", to)
        if (from != to) print from, to
      }'
}

if [ "${1:-}" = "--graph" ]; then
  edges | sort | uniq -c | awk '{ printf "%s -> %s (%d)\n", $2, $3, $1 }'
  exit 0
fi

status=0
all=$(edges | sort -u)

upward=$(awk '$1 ~ /^platform(\/|$)/ && $2 ~ /^(shell|render|pipes|config|res)(\/|$)/' <<<"$all")
if [ -n "$upward" ]; then
  echo "check-deps: platform/ includes system folders:" >&2
  sed 's/ / -> /' <<<"$upward" >&2
  status=1
fi

# tsort names the folders of a cycle on standard error.
if ! loops=$(tsort <<<"$all" 2>&1 >/dev/null) || [ -n "$loops" ]; then
  echo "check-deps: the folder graph has a cycle:" >&2
  echo "$loops" >&2
  status=1
fi

[ $status -eq 0 ] && echo "check-deps: $(wc -l <<<"$all") folder dependencies, no cycle"
exit $status
