# shellcheck shell=bash disable=SC2154 # $root is the sourcing script's
# The time a build of this checkout stands for, in seconds since 1970:
# SOURCE_DATE_EPOCH where the caller set it (a copy of the sources without
# their history), else the date of the checkout's commit; empty where
# neither is known. Sourced by the build scripts once they have set $root.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && [ -e "$root/.git" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || SOURCE_DATE_EPOCH=
fi
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-}
