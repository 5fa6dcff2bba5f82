#!/usr/bin/env bash
# Configures and builds the trees named (default: all three):
#   win     the shipped 32-bit Windows programs (MinGW-w64 i686);
#   win64   the same code as 64-bit programs, so that it stays clean for both,
#           and the programs the Windows tests run where 32-bit ones cannot;
#   native  the platform-free core under AddressSanitizer and UBSan; it also
#           builds build/ce-arm (the device modules as Windows CE ARM images)
#           with the bcimage it builds first.
# A Windows tree ships the ARM images in dist/pocketpc/arm, so build/ce-arm is
# brought up to date (through the native tree) before either is built.
# --shipped builds only what the release packs in the Windows trees (and the
# Remote API stand-in the import checks read), not their tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)
targets=()
if [ "${1:-}" = --shipped ]; then
  targets=(--target shipped)
  shift
fi
configure_native() {
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
}
build_windows() {  # TREE TOOLCHAIN
  configure_native
  cmake --build "$root/build/native" -j"$jobs" --target ce_arm_modules
  cmake -S "$root" -B "$root/build/$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/$1" -j"$jobs" "${targets[@]}"
}
[ $# -gt 0 ] || set -- win win64 native
for tree in "$@"; do
  case $tree in
    win) build_windows win toolchain-mingw32.cmake ;;
    win64) build_windows win64 toolchain-mingw64.cmake ;;
    native)
      configure_native
      cmake --build "$root/build/native" -j"$jobs" ;;
    *) echo "usage: $0 [--shipped] [win|win64|native]..." >&2; exit 2 ;;
  esac
done
