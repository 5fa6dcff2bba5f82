#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; safe to run again.
set -euo pipefail
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
packages=(cmake make g++ mingw-w64 wine wine32:i386 wine64 xvfb googletest libxml2-utils cabextract p7zip-full
  # The packing benchmark and the fuzzing.
  gcab clang libclang-rt-14-dev
  # The device modules' Windows CE ARM build (build/ce-arm) and its emulated ARM device.
  lld-14 libunicorn-dev
  # The release (scripts/release.sh) and its tests.
  nsis zip unzip curl python3
  # The builder's display served to a browser (scripts/start-builder.sh) and its test.
  x11vnc novnc websockify x11-utils)
update=no
# The shipped programs are 32-bit: they run under 32-bit Wine, from Debian's i386 packages.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  update=yes
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  update=yes
fi
if [ $update = yes ]; then $SUDO apt-get update -qq; fi
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
