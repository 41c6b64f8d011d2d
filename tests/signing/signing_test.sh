#!/usr/bin/env bash
# The release's signing step on copies of the built programs and package, with a throwaway
# code-signing certificate made for this run: each signed copy must pass `osslsigncode verify`
# against that certificate with a SHA-256 signature carrying the build's description and address;
# the signing must not print the password; under Wine (a fresh prefix) the signed quenda.com must
# still report the settings, and the signed package must install and remove.
#
# Usage: signing_test.sh WORK_FOLDER QUENDA_EXE QUENDA_COM QUENDA_MSI  (none of them signed)
# Environment (tests/signing/CMakeLists.txt sets it from cmake/signing.cmake): CMAKE_COMMAND,
# OPENSSL, OSSLSIGNCODE, SIGN_SCRIPT (cmake/sign_file.cmake), SIGN_DESCRIPTION, SIGN_URL.
set -uo pipefail
work=$1
files=("$2" "$3" "$4")
names=(quenda.exe quenda.com quenda.msi)
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/lib/wine.sh
source "$root/scripts/lib/wine.sh"

failures=0
fail() {
  printf 'FAILED: %s\n' "$*" >&2
  failures=$((failures + 1))
}
check() {  # check WHAT ACTUAL EXPECTED
  [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"
}

rm -rf "$work"
mkdir -p "$work/signed"
# The key and the password are for this run only, and readable by no one else.
umask 077
password=$work/password
pfx=$work/test.pfx
certificate=$work/certificate.pem
"$OPENSSL" rand -hex 16 >"$password"
if ! "$OPENSSL" req -x509 -newkey rsa:2048 -sha256 -days 2 -noenc -subj "/CN=Quenda test signing" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$certificate" >"$work/openssl.log" 2>&1 ||
  ! "$OPENSSL" pkcs12 -export -inkey "$work/key.pem" -in "$certificate" -passout "file:$password" \
    -out "$pfx" >>"$work/openssl.log" 2>&1; then
  cat "$work/openssl.log" >&2
  echo "FAILED: no test certificate" >&2
  exit 1
fi
rm -f "$work/key.pem"

# Signs INPUT into OUTPUT exactly as the build does (cmake/signing.cmake), with the test's
# certificate.
sign() {
  "$CMAKE_COMMAND" -DOSSLSIGNCODE="$OSSLSIGNCODE" -DPFX="$pfx" -DPASSWORD_FILE="$password" \
    -DDESCRIPTION="$SIGN_DESCRIPTION" -DURL="$SIGN_URL" -DINPUT="$1" -DOUTPUT="$2" \
    -P "$SIGN_SCRIPT"
}

for i in 0 1 2; do
  name=${names[$i]}
  output=$(sign "${files[$i]}" "$work/signed/$name" 2>&1) || fail "signing $name: $output"
  # (grep reads the password from its file: on grep's command line it would be visible to all.)
  printf '%s\n' "$output" | grep -qFf "$password" && fail "signing $name printed the password"
done

for name in "${names[@]}"; do
  signed=$work/signed/$name
  report=$("$OSSLSIGNCODE" verify -CAfile "$certificate" -in "$signed" 2>&1)
  verified=$?
  printf '%s\n' "$report" >"$work/$name.verify.txt"
  if [ "$verified" -ne 0 ]; then
    fail "$name: osslsigncode verify refuses it (see $work/$name.verify.txt)"
    continue
  fi
  grep -Eq 'Message digest algorithm *: *SHA256' <<<"$report" || fail "$name: not signed with SHA-256"
  grep -qF "Text description: $SIGN_DESCRIPTION" <<<"$report" || fail "$name: no description"
  grep -qF "URL description: $SIGN_URL" <<<"$report" || fail "$name: no web address"
  bytes=$(stat -c %s "$signed")
  echo "$name: $bytes bytes signed, verified"
  # The programs ship signed: with the signature they still stay within 64 KiB.
  [ "$name" = quenda.msi ] || [ "$bytes" -le 65536 ] || fail "$name: $bytes bytes signed, over 64 KiB"
done

# Under Wine: the signed programs and package still do their work.
quenda_wine_prefix "$work/prefix"
trap quenda_wine_stop EXIT
cd "$work/signed" || exit 1

wine quenda.com /status </dev/null >"$work/status.txt" 2>&1
check "signed quenda.com /status" "$?" 0
grep -q 'Automatic logon' "$work/status.txt" ||
  fail "signed quenda.com printed no status: $(tr -d '\r' <"$work/status.txt")"

folder=$WINEPREFIX/drive_c/'Program Files'/Quenda
wine msiexec /i quenda.msi /qn
check "signed package installed" "$?" 0
check "installed files" "$(cd "$folder" 2>/dev/null && echo *)" \
  "quenda.com quenda.exe readme.txt readmetw.txt"
wine 'C:\Program Files\Quenda\quenda.com' /status </dev/null >/dev/null 2>&1
check "installed quenda.com /status" "$?" 0
wine msiexec /x quenda.msi /qn
check "signed package removed" "$?" 0
[ -e "$folder" ] && fail "the program's folder is still there"

[ "$failures" -eq 0 ] && echo "signing: all checks passed"
exit $((failures > 0))
