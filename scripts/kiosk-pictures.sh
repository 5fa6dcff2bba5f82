#!/usr/bin/env bash
# Makes the pictures of what a kiosk shows for the help pages and the README:
# the x86 engine on the emulated device, whose screen is a Pocket PC's
# 240x320, photographed by the engine's GUI test in each language (start-up
# screen and kiosk desktop), then copied into builder/build/docs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
tree=$(bc_windows_tree)
"$root/scripts/build.sh" "$tree"
# The test's device session is a CTest fixture, which -R brings along.
(cd "$root/build/$tree" && ctest -R '^kiosk_engine_gui_tests$' --output-on-failure)
for language in english spanish brazilian; do
  for screen in startup desktop; do
    cp "$root/build/$tree/kiosk_${screen}_${language}.png" "$root/builder/build/docs/"
  done
done
echo "pictures in builder/build/docs: kiosk_startup_<language>.png, kiosk_desktop_<language>.png"
