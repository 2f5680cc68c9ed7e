#!/bin/bash
# Signs one file in place (a program, a setup or an MSI package) with an
# Authenticode signature, where a certificate is given; else leaves it as
# it is:   sign_file.sh NAME FILE
# NAME is the product's name, which the signature carries.
#   CORVANE_SIGN_CERT           the certificate (PEM, with its chain), or a
#                               PKCS#12 file (.p12, .pfx) with the key in it
#   CORVANE_SIGN_KEY            the private key (PEM), beside a PEM certificate
#   CORVANE_SIGN_PASSWORD_FILE  a file with the key's or the PKCS#12 file's
#                               password, where it has one
#   CORVANE_TIMESTAMP_URL       an RFC 3161 server to timestamp the signature
# The signing time is SOURCE_DATE_EPOCH (the commit's date), so that the same
# key signs the same bytes. A timestamp is the server's own time: a
# timestamped file differs from build to build.
set -euo pipefail
name=$1 file=$2
cert=${CORVANE_SIGN_CERT:-}
[ -n "$cert" ] || exit 0

fail() { echo "sign_file.sh: $*" >&2; exit 1; }
[ -n "${SOURCE_DATE_EPOCH:-}" ] || fail "SOURCE_DATE_EPOCH is not set: the signing time comes from it"
[ -r "$cert" ] || fail "cannot read CORVANE_SIGN_CERT ($cert)"
arguments=(-h sha256 -n "$name" -time "$SOURCE_DATE_EPOCH")
case ${cert,,} in
  *.p12 | *.pfx) arguments+=(-pkcs12 "$cert") ;;
  *)
    [ -r "${CORVANE_SIGN_KEY:-}" ] || fail "a PEM certificate needs its key in CORVANE_SIGN_KEY"
    arguments+=(-certs "$cert" -key "$CORVANE_SIGN_KEY") ;;
esac
# From a file, never on the command line, where other users could read it.
[ -n "${CORVANE_SIGN_PASSWORD_FILE:-}" ] && arguments+=(-readpass "$CORVANE_SIGN_PASSWORD_FILE")
[ -n "${CORVANE_TIMESTAMP_URL:-}" ] && arguments+=(-ts "$CORVANE_TIMESTAMP_URL")

signed=$file.signing
rm -f "$signed"
osslsigncode sign "${arguments[@]}" -in "$file" -out "$signed" >/dev/null ||
  { rm -f "$signed"; fail "could not sign $file"; }
mv -f "$signed" "$file"
