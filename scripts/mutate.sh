#!/usr/bin/env bash
# Plants the faults of tests/mutation/faults.txt in the platform-free code, one
# at a time, and tells how many of them the native suite catches. For each
# fault: apply it (the original text must stand exactly once in its file),
# rebuild build/native incrementally, run ctest there, put the file back.
#
#   scripts/mutate.sh                 every fault; prints "caught K of N" and the survivors
#   scripts/mutate.sh --only ID,ID    these faults only; fails unless each is caught
#   scripts/mutate.sh --list          the faults' ids and descriptions
#
# Exit status: 0 done, 1 a fault chosen with --only survived, 2 the list is
# wrong (text not found once, a mutant that does not compile) or the
# unchanged tree does not build and pass.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/native"
list="$root/tests/mutation/faults.txt"
only=""
listOnly=0
while [ $# -gt 0 ]; do
  case "$1" in
    --only) only="$2"; shift 2 ;;
    --list) listOnly=1; shift ;;
    *) echo "usage: $0 [--only ID,ID...] [--list]" >&2; exit 2 ;;
  esac
done

# The faults as lines of five fields (id, file, from, to, what) separated by
# the unit separator, which, unlike a tab, keeps an empty field when read.
faults=$(python3 - "$list" <<'EOF'
import sys
keys = ("id", "file", "from", "to", "what")
blocks, block = [], {}
for number, line in enumerate(open(sys.argv[1], encoding="utf-8"), 1):
    line = line.rstrip("\n")
    if line.startswith("#"):
        continue
    if not line.strip():
        if block: blocks.append(block)
        block = {}
        continue
    key, sep, value = line.partition(": ")
    if not sep and line.endswith(":"):
        key, value = line[:-1], ""
    elif not sep or key not in keys:
        sys.exit(f"{sys.argv[1]}({number}): not a 'key: value' line of {keys}")
    block[key] = value
if block: blocks.append(block)
seen = set()
for b in blocks:
    missing = [k for k in keys if k not in b]
    if missing or b["id"] in seen:
        sys.exit(f"{sys.argv[1]}: fault {b.get('id', '?')} lacks {missing} or is listed twice")
    seen.add(b["id"])
    print("\x1f".join(b[k] for k in keys))
EOF
) || exit 2

if [ "$listOnly" = 1 ]; then
  printf '%s\n' "$faults" | awk -F'\037' '{ printf "%-24s %s\n", $1, $5 }'
  exit 0
fi
if [ -n "$only" ]; then
  for id in ${only//,/ }; do
    printf '%s\n' "$faults" | cut -d $'\x1f' -f1 | grep -qxF "$id" || { echo "no fault $id in $list" >&2; exit 2; }
  done
fi

backup=$(mktemp -d)
planted=""  # the file that holds a fault right now
restore() {
  if [ -n "$planted" ]; then
    cat "$backup/original" >"$root/$planted"  # new mtime: the next build recompiles it
    planted=""
  fi
}
finish() {
  restore
  rm -rf "$backup"
}
trap finish EXIT
trap 'echo "interrupted; ${planted:-no file} put back" >&2; exit 130' INT TERM

buildTree() { nice -n 10 cmake --build "$build" -j2 >"$backup/build.log" 2>&1; }
# A hanging mutant counts as caught, as the suite's own timeouts would have it.
runSuite() { (cd "$build" && timeout 300 nice -n 10 ctest -j2 >"$backup/test.log" 2>&1); }

if [ ! -d "$build" ]; then
  nice -n 10 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 2
fi
if ! buildTree || ! runSuite; then
  echo "the unchanged tree does not build and pass its native suite" >&2
  exit 2
fi

total=0
caught=0
survivors=()
errors=()
while IFS=$'\x1f' read -r id file from to what; do
  if [ -n "$only" ] && [[ ",$only," != *",$id,"* ]]; then continue; fi
  path="$root/$file"
  count=$(FROM="$from" python3 -c 'import os, sys; print(open(sys.argv[1], encoding="latin-1").read().count(os.environ["FROM"]))' "$path" 2>/dev/null || echo 0)
  if [ "$count" != 1 ]; then
    errors+=("$id: the original text stands $count times in $file")
    continue
  fi
  cp "$path" "$backup/original"
  planted="$file"
  FROM="$from" TO="$to" python3 -c '
import os, sys
text = open(sys.argv[1], encoding="latin-1").read()
open(sys.argv[1], "w", encoding="latin-1", newline="").write(text.replace(os.environ["FROM"], os.environ["TO"], 1))' "$path"
  total=$((total + 1))
  if ! buildTree; then
    errors+=("$id: the mutant does not compile")
    total=$((total - 1))
  elif runSuite; then
    survivors+=("$id: $what")
    echo "survived  $id"
  else
    caught=$((caught + 1))
    echo "caught    $id"
  fi
  restore
done <<<"$faults"

# Leave the build tree built from the unchanged sources.
buildTree || errors+=("the unchanged tree no longer builds")

echo "caught $caught of $total ($((total > 0 ? 100 * caught / total : 0)) %)"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "survivors:"
  printf '  %s\n' "${survivors[@]}"
fi
if [ ${#errors[@]} -gt 0 ]; then
  echo "errors in the list:"
  printf '  %s\n' "${errors[@]}"
  exit 2
fi
if [ -n "$only" ] && [ ${#survivors[@]} -gt 0 ]; then exit 1; fi
exit 0
