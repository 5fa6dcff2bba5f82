#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; safe to run
# again: a second run installs nothing.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
packages=(cmake make g++ mingw-w64 wine wine64 xvfb googletest libxml2-utils cabextract p7zip-full
  # The signing tests: their certificates, and an independent judge of the signatures.
  openssl osslsigncode
  # The packing benchmark and the fuzzing.
  gcab clang libclang-rt-14-dev
  # The device modules' Windows CE ARM build (build/ce-arm) and its emulated ARM device.
  lld-14 libunicorn-dev
  # The release (scripts/release.sh) and its tests.
  nsis zip unzip curl python3
  # The builder's display served to a browser (scripts/start-builder.sh) and its test.
  x11vnc novnc websockify x11-utils)
update=no
# The shipped programs are 32-bit: where the kernel runs 32-bit programs, they
# run under 32-bit Wine, from Debian's i386 packages. Elsewhere 32-bit Wine
# cannot start and would only divert Debian's wine wrapper to it, so it is not
# installed; one that is there already stays (the scripts start the 64-bit
# loader themselves).
if bc_host_runs_ia32; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    update=yes
  fi
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || [ $update = yes ] || exit 0
echo "installing: ${missing[*]}"

# A mirror in the middle of a sync fails one index now and then; the indexes
# that did come in are still used when the retries fail too.
for try in 1 2 3; do
  $SUDO apt-get update -qq && break
  if [ $try = 3 ]; then echo "apt-get update failed three times; going on with the indexes there are" >&2; break; fi
  sleep $((try * 5))
done

install() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$@" "${missing[@]}" >/dev/null; }
if [ ${#missing[@]} -gt 0 ] && ! install; then
  # A security suite's index may be newer for one architecture than for the
  # other; the release suite alone offers versions that fit together.
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  echo "the install could not be resolved; trying again against the release suite '$suite' alone" >&2
  if [ -z "$suite" ] || ! install -t "$suite"; then
    echo "install-deps.sh: could not install: ${missing[*]} (see apt-get's messages above)" >&2
    exit 1
  fi
fi
