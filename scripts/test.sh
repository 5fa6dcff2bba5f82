#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
status=0
echo "== native core tests (AddressSanitizer, UBSan)"
(cd "$root/build/native" && ctest --output-on-failure -j2) || status=1
echo "== fuzzing (libFuzzer, about a minute)"
"$root/scripts/fuzz.sh" || status=1
echo "== Windows tests under Wine"
(cd "$root/build/win" && ctest --output-on-failure -j2) || status=1
exit $status
