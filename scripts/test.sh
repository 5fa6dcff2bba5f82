#!/usr/bin/env bash
# Installs what is missing, builds every tree, makes the release's installer and
# zip in build/release and runs every test, then each benchmark once on a tiny
# input so that none of them can rot unseen.
#
# Where this host runs 32-bit programs, the Windows tests run the shipped
# 32-bit programs under 32-bit Wine in a prefix that reports Windows XP, and
# the 64-bit tree's core tests run beside them. Elsewhere (or with
# BC_NO_IA32=1) the whole Windows suite runs on the 64-bit tree under 64-bit
# Wine, and what needs a 32-bit program to run reports itself skipped. The
# first and the last line say which of the two ran, and why.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
if bc_host_runs_ia32; then
  configuration="32-bit Wine: this host runs 32-bit x86 programs, so the shipped 32-bit programs are tested"
elif [ "${BC_NO_IA32:-}" = 1 ]; then
  configuration="64-bit Wine: BC_NO_IA32=1 asks for the configuration of hosts without 32-bit execution"
else
  configuration="64-bit Wine: this host does not run 32-bit x86 programs (no IA-32 emulation in its kernel)"
fi
echo "== configuration: $configuration"

log=$(mktemp)
passed=0 failed=0 skipped=0
# step NAME COMMAND...: a check that is not a CTest run counts as one test.
step() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "== $name FAILED"; fi
  echo "== ($((SECONDS - start)) s)"
}
# Checks that need no Wine run in the background at low priority while the
# Windows tests, which mostly wait on Wine, take their turns; one after the
# other, as the mutation check changes the sources that fuzz.sh builds.
# Their output and status wait in files until finish_background_checks.
mutation_out=$(mktemp) fuzz_out=$(mktemp)
trap 'rm -f "$log" "$mutation_out"* "$fuzz_out"*' EXIT
background_checks() {
  nice -n 10 "$root/scripts/mutate.sh" --only int-tab,inf-blank-vt >"$mutation_out" 2>&1
  echo $? >"$mutation_out.status"
  nice -n 10 "$root/scripts/fuzz.sh" >"$fuzz_out" 2>&1
  echo $? >"$fuzz_out.status"
}
finished() { cat "$1"; return "$(cat "$1.status" 2>/dev/null || echo 1)"; }
finish_background_checks() {
  wait "$background"
  step "mutation check: two planted faults the native tests must catch" finished "$mutation_out"
  step "fuzzing (libFuzzer, 20 s a target)" finished "$fuzz_out"
}
# tests NAME TREE [CTEST ARGS...]: a CTest run in build/TREE; its tests count one by one.
tests() {
  local name=$1 tree=$2 before
  shift 2
  echo "== $name"
  local start=$SECONDS
  before=$(wc -l <"$log")
  (cd "$root/build/$tree" && ctest --output-on-failure -j2 "$@") 2>&1 | tee -a "$log"
  local status=${PIPESTATUS[0]} results all ok skip
  results=$(tail -n +"$((before + 1))" "$log" | grep -E '^ *([0-9]+/[0-9]+ )?Test +#[0-9]+:')
  all=$(grep -c . <<<"$results")
  ok=$(grep -c ' Passed ' <<<"$results")
  skip=$(grep -c '\*\*\*Skipped' <<<"$results")
  # A run that failed without a failed test (no tests found, say) fails as one.
  if [ "$status" -ne 0 ] && [ "$all" -eq $((ok + skip)) ]; then all=$((all + 1)); fi
  passed=$((passed + ok)) skipped=$((skipped + skip)) failed=$((failed + all - ok - skip))
  # CTest shows no output of a skipped test: its last line is the reason.
  local name
  for name in $(grep '\*\*\*Skipped' <<<"$results" | sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*/\1/'); do
    echo "skipped $name: $(awk -v test="$name" '$0 ~ "Testing: " test "$" { on = 1 }
      on && /^<end of output>/ { print last; exit } on && NF { last = $0 }' \
      "$root/build/$tree/Testing/Temporary/LastTest.log")"
  done
  echo "== ($((SECONDS - start)) s)"
}

# Where the 32-bit tests cannot run, the 32-bit tree builds only the release's programs.
if bc_host_runs_ia32; then
  # Of the 64-bit tree only its core tests run here: its programs and those.
  build() {
    "$root/scripts/build.sh" win native && "$root/scripts/build.sh" --shipped win64 &&
      cmake --build "$root/build/win64" -j"$(nproc)" --target core_tests
  }
else
  build() { "$root/scripts/build.sh" win64 native && "$root/scripts/build.sh" --shipped win; }
fi
echo "== build"
if ! build; then
  echo "== the build failed"
  echo "== configuration: $configuration"
  exit 1
fi
echo "== (build: $SECONDS s)"
step release "$root/scripts/release.sh" --no-build
tests "native core tests (AddressSanitizer, UBSan), the import checks and the CE ARM modules on an emulated ARM device" native
background_checks &
background=$!
if bc_host_runs_ia32; then
  tests "64-bit core tests under 64-bit Wine" win64 -R 'core|wine_session'
  tests "Windows tests under 32-bit Wine" win
else
  tests "Windows tests of the 64-bit tree under 64-bit Wine" win64
  tests "release tests (what needs a 32-bit program to run is skipped)" win -L release
fi
# Before the benchmarks, which build a Windows tree from the sources that the
# mutation check changes for a while.
finish_background_checks
for bench in "$root"/scripts/bench-*.sh; do
  step "smoke run of $(basename "$bench") (figures not judged)" "$bench" --smoke
done

echo "== (all: $((SECONDS / 60)) min $((SECONDS % 60)) s)"
echo "tests: $passed passed, $failed failed, $skipped skipped"
echo "== configuration: $configuration"
[ "$failed" -eq 0 ]
