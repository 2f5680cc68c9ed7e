#!/bin/bash
# tools/build.sh in a checkout copied with its build folder: it names the
# folder and what to do, and leaves it as it was, instead of failing in CMake.
#   build_folder_elsewhere.sh SOURCE_DIR WORK_DIR
set -u
source_dir=$1 work=$2
rm -rf "$work" && mkdir -p "$work/native"
printf 'CMAKE_HOME_DIRECTORY:INTERNAL=/elsewhere/corvane\n' >"$work/native/CMakeCache.txt"
output=$(bash "$source_dir/tools/build.sh" native "$work" 2>&1)
status=$?
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ $status -ne 0 ] || fail "the build went on"
grep -q "made by the checkout in /elsewhere/corvane" <<<"$output" || fail "the folder was not named"
grep -q "rm -rf '$work'" <<<"$output" || fail "what to do was not said"
grep -q "CMakeCache.txt directory" <<<"$output" && fail "CMake's own message came"
[ "$(ls "$work/native")" = CMakeCache.txt ] || fail "the folder was changed"
[ $failures -eq 0 ] && echo "a build folder from elsewhere is named"
exit $((failures > 0))
