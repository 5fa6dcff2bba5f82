#!/usr/bin/env bash
# A benchmark, not a test: writes projects of 10, 1,000 and 20,000
# applications (or the counts given), loads and saves each through the real
# builder window under Wine, and prints the times. BC_BENCH_RUNS sets the runs
# per size (default 3), BC_BENCH_CAP_SECONDS how long one step may take.
# --smoke: one run of 10 applications, to show that the benchmark still works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
tree=$(bc_windows_tree)
if [ "${1:-}" = --smoke ]; then set -- 10; export BC_BENCH_RUNS=1; fi
build=$root/build/$tree
"$root/scripts/build.sh" "$tree" >/dev/null
session=$build/bench-session
trap '"$root/scripts/wine-session.sh" close "$session" >/dev/null 2>&1 || true' EXIT
BC_WINE_ARCH=$(bc_wine_arch "$build/dist/Brindlecove.exe") "$root/scripts/wine-session.sh" open "$session" >/dev/null
BC_SESSION_DIR=$session "$root/scripts/wine-run.sh" "$build/tests/bench/project_bench.exe" "$@"
