#!/bin/bash
# Configures and builds one tree: native, win32 (the product) or win64.
#   build.sh KIND [BUILD_ROOT]
set -euo pipefail
kind=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}/$kind

case $kind in
  native)
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  native-release)
    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          -DCORVANE_SANITIZE=OFF -DCORVANE_FUZZERS=OFF -DCORVANE_BENCHMARKS=ON) ;;
  win32)
    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake") ;;
  win64)
    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-mingw.cmake") ;;
  *)
    echo "usage: $0 native|native-release|win32|win64 [BUILD_ROOT]" >&2
    exit 2 ;;
esac

cmake -S "$root" -B "$build" -G Ninja "${args[@]}" >/dev/null
cmake --build "$build" -- -j2
