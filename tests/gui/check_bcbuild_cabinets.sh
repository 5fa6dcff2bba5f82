#!/usr/bin/env bash
# check_bcbuild_cabinets.sh BUILD_DIR: reads with cabextract the cabinets that
# the tests BcbuildBesideWindow left. same_package: the window's and bcbuild's
# cabinets of one project extract to identical files. beside: each project's
# cabinets, built by two bcbuild runs and the window at the same time, carry
# that project's own set.alf. Skipped (77) when the tests left nothing.
set -u
build=$1
same=$build/same_package beside=$build/beside
[ -d "$same/window" ] && [ -d "$beside/expected" ] || { echo "no cabinets to read: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

for target in PPC_ARM PPC_X86; do
  name=Brindlecove.$target.CAB
  for side in window bcbuild/kiosk; do
    cabextract -q -d "$work/$target/${side%%/*}" "$same/$side/$name" || fail "cabextract $side/$name"
  done
  diff -r "$work/$target/window" "$work/$target/bcbuild" || fail "$name: the window's and bcbuild's files differ"
  [ "$(ls "$work/$target/window" | wc -l)" -gt 3 ] || fail "$name holds too few files"
done

for expected in "$beside"/expected/*.alf; do
  project=$(basename "$expected" .alf)
  for target in PPC_ARM PPC_X86; do
    cab=$beside/runs/$project/Brindlecove.$target.CAB
    rm -rf "$work/x"
    cabextract -q -d "$work/x" "$cab" || { fail "cabextract $cab"; continue; }
    found=0
    for member in "$work/x"/*; do cmp -s "$member" "$expected" && found=1; done
    [ $found = 1 ] || fail "$cab does not carry $project's set.alf"
  done
done
exit $status
