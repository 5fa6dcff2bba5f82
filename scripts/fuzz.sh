#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (clang, AddressSanitizer, UBSan)
# and runs each for a bounded time, BC_FUZZ_SECONDS (default 20), on a copy of
# its committed seed corpus, so the committed seeds stay as they are. Every
# committed input, crashes once found included, is run first. Prints one line
# of figures per target; a finding fails the run and is kept in build/fuzz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${BC_FUZZ_SECONDS:-20}
build=$root/build/fuzz
cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in inf_package setup_file cabinet_layout resource_file elf_image engine_configuration signature_reader; do
  mkdir -p "$work/$target"
  cp "$root/tests/fuzz/corpus/$target"/* "$work/$target/"
  log=$work/$target.log
  if ! "$build/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/$target-" "$work/$target" >"$log" 2>&1; then
    status=1
    echo "$target: FINDING, input kept as $(ls -t "$build/$target-"* 2>/dev/null | head -n 1)"
    grep -E 'ERROR|SUMMARY|differs' "$log" | head -n 5
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -n 1)
  edges=$(grep -oE '[0-9]+ inline 8-bit counters' "$log" | head -n 1 | cut -d' ' -f1)
  echo "$target: ${runs:-?} executions in ${seconds} s, ${cov:-no figures} (of ${edges:-?} edges)"
done
exit $status
