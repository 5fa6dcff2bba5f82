#!/usr/bin/env bash
# One automated run from Build to kiosk mode and back, with the emulated
# device of the test session: device_agent.exe plays the user at the device
# and builder_scenario.exe the user at the desktop.
# Usage: end_to_end_test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1 build=$2
session=${BC_SESSION_DIR:?needs the Wine session}
here=$build/tests/end_to_end
shots=$build
. "$source_dir/scripts/wine-env.sh"

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
[ "$(grep '^kiosk lists: ' "$here/device_agent.log")" = "kiosk lists: Word" ] ||
  { echo "the kiosk desktop does not list Word alone"; status=1; }
for shot in $shot_names; do
  [ -s "$shots/$shot.png" ] || { echo "missing screenshot $shot.png"; status=1; }
done
# Install sent the package built for the emulated device's processor, and only that.
calls=$(tail -n +$((calls_before + 1)) "$session/device-calls.log")
grep -qF 'CreateFile \Windows\Brindlecove.PPC_X86.CAB' <<<"$calls" || { echo "the x86 package was not sent"; status=1; }
! grep -qF 'Brindlecove.PPC_ARM.CAB' <<<"$calls" || { echo "the ARM package was sent to the x86 device"; status=1; }
[ "$elapsed" -lt 300 ] || { echo "the run took longer than 5 minutes"; status=1; }
exit $status
