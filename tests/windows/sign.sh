#!/usr/bin/env bash
# The Windows packages signed as a release is, with a throwaway certificate
# made here: osslsigncode accepts the signatures of the installer, the MSI
# and the program they hold, and the signed program still runs.
#   tests/windows/sign.sh BUILD   needs a display
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine.sh # makes the prefix on first use
export WINEPREFIX=$work/prefix
trap 'wineserver --kill 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tellwick test" -addext extendedKeyUsage=codeSigning \
  -keyout key.pem -out certificate.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in certificate.pem -out certificate.p12 -passout pass:secret
TELLWICK_SIGN_PKCS12=$work/certificate.p12 TELLWICK_SIGN_PASSWORD=secret \
  cpack --config "$build/CPackConfig.cmake" -B "$work/signed" >/dev/null
unzip -q -d unzipped signed/tellwick-*-win64.zip
for file in signed/*-setup.exe signed/*.msi unzipped/*/tellwick.exe; do
  osslsigncode verify -CAfile certificate.pem -in "$file" >"$work/verify" 2>&1 ||
    fail "${file##*/}: $(cat "$work/verify")"
  echo "signed: ${file##*/}"
done
version=$("$wine" unzipped/*/tellwick.exe --version | tr -d '\r')
[[ $version == "tellwick "[0-9]* ]] || fail "the signed program answered '$version'"
echo "the signed program runs: $version"
