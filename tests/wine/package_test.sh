#!/usr/bin/env bash
# The built Tarvix.msix, read as Windows reads a package before it installs it, by a reader of
# its own (msix_check.py: ZIP, block hashes, content types, manifest), and held against what
# it must match: the DLL serves the class the manifest declares (the shell host loads it from
# the manifest, as Windows 11 does), the version is the DLL's, the publisher is the signing
# certificate's subject, the signature verifies against the shipped test certificate; and a
# package with one byte changed fails both the signature and the block map.
#   package_test.sh <Tarvix.msix> <Tarvix.dll> <Tarvix-test.cer> <ShellHost.exe>
set -u
package=$1 dll=$2 certificate=$3 host=$4
wine=/usr/lib/wine/wine64
check=$(dirname "$0")/msix_check.py
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

facts=$(python3 "$check" "$package") || fail "the package does not read: $facts"
fact() { echo "$facts" | sed -n "s/^$1=//p"; }

dll_version=$(x86_64-w64-mingw32-windres -i "$dll" -O rc 2>/dev/null |
  sed -nE 's/.*VALUE "FileVersion", "(.*)"/\1/p')
[ -n "$dll_version" ] && [ "$(fact version)" = "$dll_version.0" ] ||
  fail "package version '$(fact version)', DLL version '$dll_version'"

openssl x509 -inform DER -in "$certificate" -out "$work/certificate.pem" || fail "certificate"
subject=$(openssl x509 -in "$work/certificate.pem" -noout -subject -nameopt RFC2253 | sed 's/^subject=//')
[ "$(fact publisher | sed 's/, /,/g')" = "$subject" ] ||
  fail "publisher '$(fact publisher)', certificate subject '$subject'"

verified=$(osslsigncode verify -CAfile "$work/certificate.pem" -in "$package" 2>&1)
echo "$verified" | grep -q '^Signature verification: ok' || fail "signature: $verified"

# The class the manifest declares, from a DLL beside it.
python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("AppxManifest.xml"))' \
  "$package" >"$work/AppxManifest.xml"
cp "$dll" "$work/Tarvix.dll"
printf 'x' >"$work/item.txt"
listing=$($wine "$host" --modern "$work/AppxManifest.xml" --list "$work/item.txt" </dev/null 2>&1 | tr -d '\r')
case "$listing" in
  "Tarvix > [icon "*'\Tarvix.dll,-1]'*) ;;
  *) fail "the DLL does not serve the manifest's class $(fact clsid): $listing" ;;
esac

# One byte of the manifest changed, the ZIP's checksums made to fit: only the signature and
# the block map can tell.
python3 - "$package" "$work/changed.msix" <<'PYTHON'
import struct, sys, zlib
data = bytearray(open(sys.argv[1], 'rb').read())
name_length, extra_length = struct.unpack_from('<HH', data, 26)
start = 30 + name_length + extra_length
size = struct.unpack_from('<I', data, 18)[0]
data[start + size // 2] ^= 0x20
crc = zlib.crc32(data[start:start + size])
struct.pack_into('<I', data, 14, crc)
directory = data.index(b'PK\x01\x02')
struct.pack_into('<I', data, directory + 16, crc)
open(sys.argv[2], 'wb').write(data)
PYTHON
osslsigncode verify -CAfile "$work/certificate.pem" -in "$work/changed.msix" >/dev/null 2>&1 &&
  fail "a changed package passed the signature check"
changed=$(python3 "$check" "$work/changed.msix") && fail "a changed package passed the reader"
echo "$changed" | grep -q 'FAULT: AppxManifest.xml: hash of block 0' ||
  fail "the reader did not find the changed block: $changed"

[ $failures -eq 0 ] && echo "package: all checks passed"
exit $((failures > 0))
