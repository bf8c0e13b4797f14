#!/usr/bin/env bash
# End to end: the shell host loads the registered DLL as Explorer does, lists the block and
# runs a case command on a real file.
set -u
dll=$1 host=$2
wine=/usr/lib/wine/wine64
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

$wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32"
samples=$(mktemp -d)
printf 'a' >"$samples/report.txt"
printf 'b' >"$samples/My Photo.jpg"

listing=$($wine "$host" --list "$samples/report.txt" "$samples/My Photo.jpg" </dev/null 2>/dev/null | tr -d '\r')
expected='----
Tarvix Plus >
  Rename series... [2] Rename series selected objects...
  Change time stamp... [3] Change time stamp of the selected objects...
  new name.new extension [4] Change case of the selected objects
  New name.new extension [5] Change case of the selected objects
  New Name.new extension [6] Change case of the selected objects
  NEW NAME.NEW EXTENSION [7] Change case of the selected objects
  Full names -> Clipboard [8] Copy full names of the selected objects to the clipboard
  Names only -> Clipboard [9] Copy names of the selected objects to the clipboard
  Command prompt [10] Open window with command prompt in this folder
  Help [11] Help
Copy as... [0] Copy selected objects as...
Move as... [1] Move selected objects as...
----'
if [ "$listing" != "$expected" ]; then
  fail "menu listing differs"
  diff <(echo "$expected") <(echo "$listing")
fi

$wine "$host" --invoke "NEW NAME.NEW EXTENSION" "$samples/My Photo.jpg" </dev/null >/dev/null 2>&1 \
  || fail "invoke returned an error"
[ -f "$samples/MY PHOTO.JPG" ] || fail "not renamed: $(ls "$samples" | tr '\n' ' ')"
[ "$(cat "$samples/MY PHOTO.JPG" 2>/dev/null)" = b ] || fail "content changed"
[ -f "$samples/report.txt" ] || fail "an object outside the selection changed"

$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1
rm -rf "$samples"
[ $failures -eq 0 ] && echo "shell host: all checks passed"
exit $((failures > 0))
