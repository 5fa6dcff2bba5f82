#!/usr/bin/env bash
# One automated run from Build to kiosk mode and back, with the emulated
# device of the test session: device_agent.exe plays the user at the device
# and builder_scenario.exe the user at the desktop. The road is signed: the
# builder's folder holds a certificate of the test's own, and the device
# installs only signed packages, with the test root in its SPC and Privileged
# Execution stores.
# Usage: end_to_end_test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1 build=$2
session=${BC_SESSION_DIR:?needs the Wine session}
here=$build/tests/end_to_end
shots=$build
. "$source_dir/scripts/wine-env.sh"

device_wine() (
  . "$session/env"
  export WINEPREFIX=$session/device-prefix WINEDEBUG=-all
  wine "$@"
)
. "$source_dir/tests/package_tool/test_certificates.sh"
certs=$(mktemp -d) signing=$build/dist/signing policies='HKLM\Security\Policies\Policies'
stores='HKLM\Comm\Security\SystemCertificates'
restore() {
  rm -rf "$certs" "$signing"
  device_wine reg delete "$policies" /f >/dev/null 2>&1
  device_wine reg delete "$stores" /f >/dev/null 2>&1
}
trap restore EXIT
make_root "$certs" root && make_signer "$certs" signer root && make_pfx "$certs" signer package 'e2e pass' &&
  openssl x509 -in "$certs/root.pem" -outform der -out "$certs/root.der" || { echo "openssl failed"; exit 1; }
mkdir -p "$signing"
cp "$certs/package.pfx" "$signing/"
printf 'e2e pass\r\n' >"$signing/password.txt"
device_wine reg add "$policies" /v 00001005 /t REG_DWORD /d 0 /f >/dev/null &&
  device_wine reg add "$policies" /v 00001006 /t REG_DWORD /d 0 /f >/dev/null &&
  device_wine "$build/tests/ce_installer/trust_certificate.exe" "$(bc_windows_path "$certs/root.der")" SPC \
    "Privileged Execution Trust Authorities" || { echo "the device's policy or stores could not be set"; exit 1; }

rm -f "$session/device-prefix/drive_c/Program Files/Brindlecove/engine_state.txt"
# The device's calls of this run: those logged after the lines already there.
calls_before=$(cat "$session/device-calls.log" 2>/dev/null | wc -l)
shot_names="e2e_builder_project e2e_build_information e2e_output_folder device_reset_question device_start_question
  kiosk_startup kiosk_desktop e2e_device_controller e2e_login"
for shot in $shot_names; do rm -f "$shots/$shot.png"; done
(
  . "$session/env"
  export WINEPREFIX=$session/device-prefix WINEDEBUG=-all
  wine "$here/device_agent.exe" "$(bc_windows_path "$shots")" >"$here/device_agent.log" 2>&1
  echo "exit=$?" >>"$here/device_agent.log"
) &
agent=$!

start=$(date +%s)
# Into a file: programs the builder starts (the file browser) inherit it, and
# must not hold the test's output open after the run.
"$source_dir/scripts/wine-run.sh" "$here/builder_scenario.exe" >"$here/builder_scenario.log" 2>&1
scenario=$?
cat "$here/builder_scenario.log"
wait $agent
echo "== device agent"
cat "$here/device_agent.log"
elapsed=$(( $(date +%s) - start ))
echo "end-to-end run took ${elapsed}s"

status=$scenario
grep -q '^exit=0' "$here/device_agent.log" || status=1
grep -qF 'kiosk says: [Brindlecove Kiosk] The application \windows\pword.exe was not found.' "$here/device_agent.log" ||
  { echo "the kiosk did not say that the main application is missing"; status=1; }
# The kiosk desktop lists the visible entry only, by its name.
[ "$(grep '^kiosk lists: ' "$here/device_agent.log" | tr -d '\r')" = "kiosk lists: Word" ] ||
  { echo "the kiosk desktop does not list Word alone"; status=1; }
for shot in $shot_names; do
  [ -s "$shots/$shot.png" ] || { echo "missing screenshot $shot.png"; status=1; }
done
# Install sent the package built for the emulated device's processor, and only that.
calls=$(tail -n +$((calls_before + 1)) "$session/device-calls.log")
grep -qF 'CreateFile \Windows\Brindlecove.PPC_X86.CAB' <<<"$calls" || { echo "the x86 package was not sent"; status=1; }
! grep -qF 'Brindlecove.PPC_ARM.CAB' <<<"$calls" || { echo "the ARM package was sent to the x86 device"; status=1; }
[ "$elapsed" -lt 300 ] || { echo "the run took longer than 5 minutes"; status=1; }
# What was installed was signed from the test root.
for target in PPC_X86 PPC_ARM; do
  osslsigncode verify -CAfile "$certs/root.pem" -in "$build/dist/output/Brindlecove.$target.CAB" >/dev/null 2>&1 ||
    { echo "the $target package is not signed from the test root"; status=1; }
done
tail -n 1 "$session/device-prefix/drive_c/windows/wceload.log" | grep -q '^success install Brindlecove.PPC_X86.CAB' ||
  { echo "the device did not install the signed package"; status=1; }
exit $status
