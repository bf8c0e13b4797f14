#!/usr/bin/env bash
# Registration through Wine's regsvr32, checked with reg query: the six entries after
# registering, none after unregistering, also from a folder whose name has a space.
set -u
dll=$1
source "$(dirname "$0")/registry_checks.sh"

$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "unregistering a never registered DLL"
$wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 failed"
check_registered "$($wine winepath -w "$dll" 2>/dev/null | tr -d '\r')"
$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 /u failed"
check_unregistered

spaced=$(mktemp -d)/"Program Files"/Tarvix
mkdir -p "$spaced" && cp "$dll" "$spaced/"
$wine regsvr32 /s "$spaced/Tarvix.dll" </dev/null >/dev/null 2>&1 || fail "regsvr32 from a folder with a space"
check_registered nospace
$wine regsvr32 /u /s "$spaced/Tarvix.dll" </dev/null >/dev/null 2>&1
check_unregistered
rm -rf "$(dirname "$(dirname "$spaced")")"

[ $failures -eq 0 ] && echo "registration: all checks passed"
exit $((failures > 0))
