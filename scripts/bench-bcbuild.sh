#!/usr/bin/env bash
# A benchmark, not a test: writes 100 projects of 20 applications each (or
# PROJECTS and APPLICATIONS as given), builds them all with one bcbuild run
# under Wine and prints the time per project. For comparison it then builds
# the first few of them with one bcbuild run each, which pays bcbuild's
# start, Wine's process start and the work folder's copy once per project.
# --smoke: two projects, to show that the benchmark still works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
tree=$(bc_windows_tree)
projects=100 applications=20 singles=5
if [ "${1:-}" = --smoke ]; then projects=2 singles=1; shift; fi
projects=${1:-$projects} applications=${2:-$applications}
build=$root/build/$tree
"$root/scripts/build.sh" --shipped "$tree" >/dev/null
session=$build/bench-session
work=$(mktemp -d)
trap 'rm -rf "$work"; "$root/scripts/wine-session.sh" close "$session" >/dev/null 2>&1 || true' EXIT
BC_WINE_ARCH=$(bc_wine_arch "$build/dist/bcbuild.exe") "$root/scripts/wine-session.sh" open "$session" >/dev/null
export BC_SESSION_DIR=$session
bcbuild=$(printf 'Z:%s' "${build//\//\\}")\\dist\\bcbuild.exe

for p in $(seq -w "$projects"); do
  {
    printf '<project name="bench%s" type="brindlecove">\n' "$p"
    for a in $(seq "$applications"); do
      printf '<otherapplication display_name="Application %d" path="\\Program Files\\App%d\\app.exe" params="-p %s"/>\n' \
        "$a" "$a" "$p"
    done
    printf '<admincode value="1234"/>\n</project>\n'
  } >"$work/bench$p.bcp"
done

now() { date +%s.%N; }
# report LABEL COUNT START END
report() { awk -v l="$1" -v n="$2" -v s="$3" -v e="$4" \
  'BEGIN { printf "%s: %.1f s for %d of them, %.3f s per project\n", l, e - s, n, (e - s) / n }'; }

cd "$work"
echo "$projects projects of $applications applications each"
start=$(now)
"$root/scripts/wine-run.sh" "$bcbuild" --output all 'bench*.bcp' >/dev/null
report "one bcbuild run" "$projects" "$start" "$(now)"
[ "$(ls all/*/*.CAB | wc -l)" -eq $((projects * 2)) ] || { echo "not every project was built" >&2; exit 1; }

start=$(now)
for p in $(seq -w "$projects" | head -n "$singles"); do
  "$root/scripts/wine-run.sh" "$bcbuild" --output single "bench$p.bcp" >/dev/null
done
report "one bcbuild run each" "$singles" "$start" "$(now)"
