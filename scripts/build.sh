#!/usr/bin/env bash
# Configures and builds the trees: build/win (the shipped 32-bit Windows
# programs, MinGW-w64 i686), build/win64 (the same code as 64-bit programs, so
# that it stays clean for both) and build/native (the platform-free core under
# AddressSanitizer and UBSan), which also builds build/ce-arm (the device
# modules as Windows CE ARM images) with the bcimage it builds first.
# --win-only builds build/win alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)
build_windows() {  # TREE TOOLCHAIN
  cmake -S "$root" -B "$root/build/$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/$1" -j"$jobs"
}
build_windows win toolchain-mingw32.cmake
if [ "${1:-}" != "--win-only" ]; then
  build_windows win64 toolchain-mingw64.cmake
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
