#!/usr/bin/env bash
# signed_install_test.sh DIST SOURCE_ROOT FILL TESTS HOOKS
# Makes a test root with openssl and the emulated device's x86 package with
# the real bcpack.exe (HOOKS as its setup library, so that no engine starts):
# unsigned, signed from the root, signed from another root, signed below an
# intermediate authority of the root, and signed then changed in one byte;
# and one that the real bcbuild.exe builds and signs from a project file in a
# copy of the builder's folder. Then runs TESTS (the wceload signature tests)
# on them under Wine.
set -u
dist=$1 root=$2 fill=$3 tests=$4 hooks=$5
run=$root/scripts/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/tests/package_tool/test_certificates.sh"
certs=$work/certs
mkdir -p "$certs"
make_root "$certs" root && make_signer "$certs" signer root && make_pfx "$certs" signer trusted '' &&
  make_root "$certs" stranger && make_signer "$certs" impostor stranger && make_pfx "$certs" impostor untrusted '' &&
  make_intermediate "$certs" middle root && make_signer "$certs" deep middle && make_pfx "$certs" deep chained '' &&
  openssl x509 -in "$certs/root.pem" -outform der -out "$work/root.der" ||
  { echo "FAIL: openssl could not make the test certificates"; exit 1; }

# The scripts come from the sources: the GUI build tests change the builder
# folder's own while they run.
cp -r "$dist/bcpack.exe" "$dist/bcbuild.exe" "$dist/pocketpc" "$root/builder/build/shipped/mksetup.bat" \
  "$root/builder/build/shipped/setup_tmpl.inf" "$work/"
cp "$hooks" "$work/pocketpc/x86/BCESetup.dll"
printf '1234' >"$work/abce.pac"
printf '1;0;Word;\\windows\\pword.exe;;' >"$work/set.alf"
cd "$work" || exit 1
"$run" "$fill" setup_tmpl.inf 0 setup.inf || { echo "FAIL: the template could not be filled"; exit 1; }
"$run" bcpack.exe setup.inf unsigned &&
  "$run" bcpack.exe --sign certs/trusted.pfx setup.inf trusted &&
  "$run" bcpack.exe --sign certs/untrusted.pfx setup.inf untrusted &&
  "$run" bcpack.exe --sign certs/chained.pfx setup.inf chained &&
  "$run" bcpack.exe --sign certs/trusted.pfx setup.inf changed || { echo "FAIL: bcpack could not make the packages"; exit 1; }
printf '<project name="Kiosk" type="brindlecove">\n  <otherapplication display_name="Word" path="\\windows\\pword.exe" params="" autolaunch="1" hideinkioskdesktop="0"/>\n  <admincode value="1234"/>\n</project>\n' >kiosk.bcp
"$run" bcbuild.exe --output built --sign certs/trusted.pfx kiosk.bcp >bcbuild.log 2>&1 ||
  { cat bcbuild.log; echo "FAIL: bcbuild could not build and sign the project"; exit 1; }
# One byte of the first member's packed data, which the signature covers.
printf '\xff' | dd of=changed/Brindlecove.PPC_X86.CAB bs=1 seek=400 conv=notrunc status=none
BC_SIGNING_DIR=$(printf 'Z:%s' "${work//\//\\}") "$run" "$tests"
