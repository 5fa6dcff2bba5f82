#!/usr/bin/env bash
# A benchmark, not a test: what the readiness check of a Wine prefix adds to
# each use. Times, on the ready prefix of build/bench-session, RUNS uses
# (default 5) of bc_wine_prefix followed by one program, beside RUNS starts
# of the prefix's server followed by one program with no check; the first
# program of a server pays Wine's start of the prefix either way.
# --smoke: one run of each, to show that the benchmark still works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
runs=5
if [ "${1:-}" = --smoke ]; then runs=1; shift; fi
runs=${1:-$runs}
bcpack=$root/build/$(bc_windows_tree)/dist/bcpack.exe
[ -x "$bcpack" ] || { echo "build first: scripts/build.sh $(bc_windows_tree)" >&2; exit 1; }
bc_wine_quiet
# The prefix of the packing benchmark, for the architecture of the programs it runs.
export BC_WINE_ARCH=$(bc_wine_arch "$bcpack")
trap 'wineserver -k 2>/dev/null || true' EXIT
bc_wine_prefix "$root/build/bench-session/wineprefix" "$(bc_oldest_windows "$BC_WINE_ARCH")" >/dev/null
wineserver -k

now() { date +%s.%N; }
# average LABEL COMMAND...: runs COMMAND and then a program RUNS times, each on a stopped server.
average() {
  local label=$1 total=0 start _
  shift
  for _ in $(seq "$runs"); do
    start=$(now)
    "$@" >/dev/null
    bc_wine_program_runs >/dev/null 2>&1
    total=$(awk -v t="$total" -v s="$start" -v e="$(now)" 'BEGIN { print t + e - s }')
    wineserver -k
  done
  awk -v l="$label" -v t="$total" -v n="$runs" 'BEGIN { printf "%s: %.2f s a use (%d uses)\n", l, t / n, n }'
}
average "checked prefix, then a program" bc_wine_prefix "$WINEPREFIX" "$(bc_oldest_windows "$BC_WINE_ARCH")"
average "server started, then a program" bc_wine_prefix_serve
