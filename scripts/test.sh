#!/usr/bin/env bash
# Installs what is missing, builds every tree, makes the release's installer and
# zip in build/release and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
status=0
echo "== release"
"$root/scripts/release.sh" --no-build || status=1
echo "== native core tests (AddressSanitizer, UBSan)"
(cd "$root/build/native" && ctest --output-on-failure -j2) || status=1
echo "== mutation check: two planted faults the native tests must catch"
"$root/scripts/mutate.sh" --only int-tab,inf-blank-vt || status=1
echo "== fuzzing (libFuzzer, about a minute)"
"$root/scripts/fuzz.sh" || status=1
echo "== 64-bit core tests under 64-bit Wine"
(cd "$root/build/win64" && ctest --output-on-failure -j2 -R 'core|wine_session') || status=1
echo "== Windows tests under 32-bit Wine"
(cd "$root/build/win" && ctest --output-on-failure -j2) || status=1
exit $status
