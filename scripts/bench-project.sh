#!/usr/bin/env bash
# A benchmark, not a test: writes projects of 10, 1,000 and 20,000
# applications (or the counts given), loads and saves each through the real
# builder window under Wine, and prints the times. BC_BENCH_RUNS sets the runs
# per size (default 3), BC_BENCH_CAP_SECONDS how long one step may take.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win
"$root/scripts/build.sh" --win-only >/dev/null
session=$build/bench-session
trap '"$root/scripts/wine-session.sh" close "$session" >/dev/null 2>&1 || true' EXIT
"$root/scripts/wine-session.sh" open "$session" >/dev/null
BC_SESSION_DIR=$session "$root/scripts/wine-run.sh" "$build/tests/bench/project_bench.exe" "$@"
