#!/bin/bash
# tools/bootstrap.sh against a mirror in the middle of a sync, with apt,
# dpkg and dpkg-query stood in for on PATH: it tries the update again, and
# when the index never comes right it names it, says what to do and
# installs nothing; when the index comes right on a later try it installs.
#   bootstrap_mirror_sync.sh SOURCE_DIR WORK_DIR
set -u
source_dir=$1 work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$work" && mkdir -p "$work/bin"
index=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz

cat >"$work/bin/dpkg" <<'STUB'
#!/bin/bash
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
STUB
# Every package is missing but the first asked for.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/bash
[ "${*: -1}" = cmake ] && echo "install ok installed"
exit 0
STUB
# `apt-get update` fails until the try named in $WORK/good-from; every call
# is written to $WORK/calls.
cat >"$work/bin/apt-get" <<STUB
#!/bin/bash
echo "\$*" >>"$work/calls"
if [ "\$*" = "update -qq" ]; then
  tries=\$(grep -c '^update' "$work/calls")
  [ "\$tries" -ge "\$(cat "$work/good-from")" ] && exit 0
  echo "E: Failed to fetch $index  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100
fi
exit 0
STUB
chmod +x "$work/bin/"*

run_bootstrap() {
  rm -f "$work/calls"
  echo "$1" >"$work/good-from"
  PATH="$work/bin:$PATH" CORVANE_APT_ATTEMPTS=3 CORVANE_APT_PAUSE=0 \
    bash "$source_dir/tools/bootstrap.sh" >"$work/out" 2>&1
}

echo "== the index never comes right"
run_bootstrap 99 && fail "bootstrap succeeded"
[ "$(grep -c '^update' "$work/calls")" = 3 ] || fail "updated $(grep -c '^update' "$work/calls") times, not 3"
grep -q '^install' "$work/calls" && fail "it installed from a broken index"
grep -qF "  $index" "$work/out" || fail "the failed index is not named"
grep -q 'Architectures: amd64' "$work/out" || fail "no advice on what to do"
grep -q 'Pin: release n=bookworm-security' "$work/out" || fail "no pin in the advice"

echo "== the index comes right on the second try"
run_bootstrap 2 || { fail "bootstrap failed"; cat "$work/out"; }
[ "$(grep -c '^update' "$work/calls")" = 2 ] || fail "updated $(grep -c '^update' "$work/calls") times, not 2"
grep -q '^install -y -qq cmake' "$work/calls" && fail "an installed package was installed again"
grep -q '^install -y -qq ninja-build' "$work/calls" || fail "the missing packages were not installed"

[ $failures -eq 0 ] && echo "bootstrap: tries again and says what failed"
[ $failures -eq 0 ]
