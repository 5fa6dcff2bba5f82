#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; safe to run again.
set -euo pipefail
packages=(cmake make g++ mingw-w64 wine wine64 xvfb googletest libxml2-utils cabextract p7zip-full gcab clang
  libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
