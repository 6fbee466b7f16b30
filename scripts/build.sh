#!/bin/sh
# Configures and builds the native tree and the 32-bit Windows tree, plus the
# 64-bit Windows tree when this machine cannot run 32-bit programs (the
# Windows tests then run from it). Usage: build.sh [native|windows|all]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
what=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)

configure() {  # tree [toolchain]
  if [ ! -f "$root/build/$1/CMakeCache.txt" ]; then
    if [ -n "${2:-}" ]; then
      cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2"
    else
      cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
  fi
  cmake --build "$root/build/$1" -j "$jobs"
}

if [ "$what" = all ] || [ "$what" = native ]; then
  configure native
fi
if [ "$what" = all ] || [ "$what" = windows ]; then
  configure win32 mingw-i686.cmake
  if ! meridan_can_run_i386; then
    echo "build: this machine cannot run 32-bit programs; building build/win64 for the Windows tests"
    configure win64 mingw-x86_64.cmake
  fi
fi
