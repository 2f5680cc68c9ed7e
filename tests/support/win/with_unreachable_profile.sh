#!/bin/bash
# Runs a command with a Firefox profile on a server that cannot be reached:
# the FUSE file system of tests/support/native/unreachable_profile.cpp,
# mounted at WORK/profile, whose reads wait until WORK/release exists. The
# command finds the profile's folder as %CORVANE_UNREACHABLE_APPDATA% and
# the release file as %CORVANE_UNREACHABLE_RELEASE% (Wine's paths).
#   with_unreachable_profile.sh DAEMON WORK COMMAND...
set -u
daemon=$1 work=$2
shift 2
[ -x "$daemon" ] || { echo "FAIL: no $daemon (the native tree builds it)"; exit 1; }
fusermount3 -u -z "$work/profile" 2>/dev/null
rm -rf "$work" && mkdir -p "$work/profile"
"$daemon" "$work/release" "$work/profile" -f 2>/dev/null &
daemon_pid=$!
# A read that waits holds its reader until the file system goes: the reads
# are released first, then the file system is taken down whatever happened.
finish() {
  touch "$work/release"
  kill -9 "$daemon_pid" 2>/dev/null
  wait "$daemon_pid" 2>/dev/null
  fusermount3 -u -z "$work/profile" 2>/dev/null
}
trap finish EXIT
for _ in $(seq 100); do
  [ -d "$work/profile/Mozilla" ] && break
  sleep 0.05
done
[ -d "$work/profile/Mozilla" ] || { echo "FAIL: $work/profile could not be mounted (FUSE)"; exit 1; }
wine_path() { local p=${1//\//\\}; echo "Z:$p"; }
CORVANE_UNREACHABLE_APPDATA=$(wine_path "$work/profile") \
  CORVANE_UNREACHABLE_RELEASE=$(wine_path "$work/release") "$@"
