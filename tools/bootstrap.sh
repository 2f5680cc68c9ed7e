#!/bin/bash
# Installs what building and testing Corvane needs on Debian 12, as root.
# Idempotent: when everything is there it installs nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev lld clang-format
  googletest libbenchmark-dev libcurl4-openssl-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 nsis wixl msitools
  xvfb xdotool imagemagick fuse3 libfuse3-dev
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils  # two monitors side by side
  libxml2-utils zip  # the policy templates: checked, and packed for the release
  osslsigncode faketime  # the release: signed, and its packages' times the commit's
  fonts-wqy-microhei  # Japanese and Chinese glyphs for Wine's dialogs
)

# A mirror in the middle of a sync serves an index that does not match its
# Release file for a while: apt then fails for that index only. Tried a few
# times; then the index is named with what to do, and the machine's package
# sources are left as the administrator set them.
update_attempts=${CORVANE_APT_ATTEMPTS:-4}
update_pause=${CORVANE_APT_PAUSE:-20}
update_packages() {
  local log attempt failed
  log=$(mktemp)
  for attempt in $(seq "$update_attempts"); do
    if apt-get update -qq >"$log" 2>&1 && ! grep -q '^E: ' "$log"; then
      rm -f "$log"
      return 0
    fi
    [ "$attempt" -lt "$update_attempts" ] || break
    echo "apt-get update failed (attempt $attempt of $update_attempts); trying again in ${update_pause}s"
    sleep "$update_pause"
  done
  failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log")
  echo "apt-get update failed $update_attempts times:" >&2
  sed 's/^/  /' "$log" >&2
  rm -f "$log"
  if [ -n "$failed" ]; then
    echo "The index that could not be read:" >&2
    echo "$failed" | sed 's/^/  /' >&2
  fi
  cat >&2 <<'ADVICE'
A mirror in the middle of a sync serves such an index for a while (hours,
once two days). Run this command again later. If only the security suite's
i386 index fails and you cannot wait, read the security suite for amd64 only
and prefer the main suite for this install, then run this command again:
  1. in the bookworm-security stanza of /etc/apt/sources.list.d/debian.sources
     add the line "Architectures: amd64";
  2. write /etc/apt/preferences.d/corvane-security-pin with
       Package: *
       Pin: release n=bookworm-security
       Pin-Priority: 100
Undo both once the mirror has caught up, so that security updates come first again.
ADVICE
  return 1
}

updated=no
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  update_packages
  updated=yes
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null |
      grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  [ $updated = yes ] || update_packages
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
