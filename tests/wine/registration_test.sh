#!/usr/bin/env bash
# Registration through Wine's regsvr32, checked with reg query: the six entries after
# registering, none after unregistering, also from a folder whose name has a space and from one
# whose name the ANSI code page cannot hold. Unregistration creates nothing: the 32-bit view's
# list of approved extensions, which this DLL never writes, stays missing.
set -u
dll=$1
source "$(dirname "$0")/registry_checks.sh"
other_approved='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
$wine reg delete "$other_approved" /f </dev/null >/dev/null 2>&1 # as a fresh Windows has it

$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "unregistering a never registered DLL"
$wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 failed"
check_registered "$($wine winepath -w "$dll" 2>/dev/null | tr -d '\r')"
$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 /u failed"
check_unregistered

# Each bitness on its own: while the 32-bit DLL is registered in its view, unregistering this
# one keeps the handler keys and the approval they share; the last one takes them away.
$wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 failed"
$wine reg add "$classes\\CLSID\\$clsid\\InprocServer32" /ve /d 'C:\Tarvix\x86\Tarvix.dll' /f /reg:32 \
  </dev/null >/dev/null 2>&1 || fail "cannot register a 32-bit view"
$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 /u failed"
query "$classes\\CLSID\\$clsid" /reg:64 && fail "the class key of this bitness left behind"
for key in "$classes\\*\\shellex\\ContextMenuHandlers\\Tarvix" "$classes\\Folder\\shellex\\ContextMenuHandlers\\Tarvix"; do
  query "$key" || fail "$key removed while the 32-bit DLL needs it"
done
query "$approved" /v "$clsid" || fail "the approval removed while the 32-bit DLL needs it"
$wine reg delete "$classes\\CLSID\\$clsid" /f /reg:32 </dev/null >/dev/null 2>&1
$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 /u failed"
check_unregistered

spaced=$(mktemp -d)/"Program Files"/Tarvix
mkdir -p "$spaced" && cp "$dll" "$spaced/"
$wine regsvr32 /s "$spaced/Tarvix.dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 from a folder with a space"
check_registered nospace
$wine regsvr32 /u /s "$spaced/Tarvix.dll" </dev/null >/dev/null 2>&1
check_unregistered
rm -rf "$(dirname "$(dirname "$spaced")")"

# A folder name beyond the ANSI code page: the path is written as it is, read back through an
# export (reg query prints in the console's code page, which cannot show it).
foreign=$(mktemp -d)/Nástroje_Łódź_日本
mkdir -p "$foreign" && cp "$dll" "$foreign/"
$wine regsvr32 /s "$foreign/Tarvix.dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 from a foreign folder name"
export_file=$(mktemp -u).reg
$wine reg export "$classes\\CLSID\\$clsid\\InprocServer32" "$($wine winepath -w "$export_file" 2>/dev/null | tr -d '\r')" \
  </dev/null >/dev/null 2>&1
expected=$($wine winepath -w "$foreign/Tarvix.dll" 2>/dev/null | tr -d '\r' | sed 's/\\/\\\\/g')
iconv -f UTF-16 -t UTF-8 "$export_file" 2>/dev/null | tr -d '\r' | grep -qxF "@=\"$expected\"" \
  || fail "server path under a foreign folder name: $(iconv -f UTF-16 -t UTF-8 "$export_file" 2>/dev/null | grep '^@')"
$wine regsvr32 /u /s "$foreign/Tarvix.dll" </dev/null >/dev/null 2>&1
check_unregistered
rm -rf "$(dirname "$foreign")" "$export_file"

query "$other_approved" && fail "unregistration created $other_approved"

[ $failures -eq 0 ] && echo "registration: all checks passed"
exit $((failures > 0))
