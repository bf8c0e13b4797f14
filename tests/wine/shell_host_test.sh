#!/usr/bin/env bash
# End to end: the shell host loads the registered DLL as Explorer does, lists the block and
# runs a case command on a real file; its window selects and refreshes as Explorer does,
# driven from outside by HostRobot (built beside the host). With --modern it builds the first
# menu of Windows 11 from the package manifest beside the DLL, and runs its entries alike.
set -u
dll=$1 host=$2
robot=$(dirname "$host")/HostRobot.exe
wine=/usr/lib/wine/wine64
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

$wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 || fail "regsvr32"
tarvix_dos_dll() { $wine winepath -w "$dll" 2>/dev/null | tr -d '\r'; }
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

# The first menu: the root with the DLL's icon, a flyout of the classic entries in their order
# with their help texts as tooltips (canonical names left out here); an entry runs as the
# classic one does, from the list and from the window.
manifest=$(dirname "$dll")/AppxManifest.xml
listing=$($wine "$host" --modern "$manifest" --list "$samples/report.txt" "$samples/MY PHOTO.JPG" \
  </dev/null 2>/dev/null | tr -d '\r' | sed -E 's/ \{[0-9A-F-]+\}//')
expected='Tarvix > [icon '"$(tarvix_dos_dll)"',-1]
  Copy as... Copy selected objects as...
  Move as... Move selected objects as...
  ----
  Rename series... Rename series selected objects...
  Change time stamp... Change time stamp of the selected objects...
  new name.new extension Change case of the selected objects
  New name.new extension Change case of the selected objects
  New Name.new extension Change case of the selected objects
  NEW NAME.NEW EXTENSION Change case of the selected objects
  Full names -> Clipboard Copy full names of the selected objects to the clipboard
  Names only -> Clipboard Copy names of the selected objects to the clipboard
  Command prompt Open window with command prompt in this folder
  Help Help'
if [ "$listing" != "$expected" ]; then
  fail "first menu listing differs"
  diff <(echo "$expected") <(echo "$listing")
fi
$wine "$host" --modern "$manifest" --invoke "New Name.new extension" "$samples/MY PHOTO.JPG" \
  </dev/null >/dev/null 2>&1 || fail "first menu: invoke returned an error"
[ "$(cat "$samples/My Photo.jpg" 2>/dev/null)" = b ] || fail "first menu: not renamed: $(ls "$samples" | tr '\n' ' ')"
$wine "$host" --modern "$manifest" --choose "new name.new extension" "$samples/report.txt" \
  </dev/null >/dev/null 2>&1 &
host_pid=$!
$wine "$robot" right-click 0 close </dev/null >/dev/null 2>&1
for waited in $(seq 100); do kill -0 $host_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $host_pid 2>/dev/null && { fail "the first menu's host did not close"; kill $host_pid; }
[ -f "$samples/my photo.jpg" ] || fail "first menu window: not renamed: $(ls "$samples" | tr '\n' ' ')"

help=$($wine "$host" --help </dev/null 2>/dev/null | tr -d '\r') || fail "--help returned an error"
for option in --list --invoke --picture --choose --modern; do
  [[ $help == *"$option"* ]] || fail "--help does not name $option"
done

# The window lists the folder of the given object with that object selected. Click selects,
# Ctrl- and Shift-click extend, a right click acts on the selection when it hits a selected
# object and otherwise on the clicked one alone; the list is read again after each command.
folder=$(mktemp -d)
for name in a b c d; do printf '%s' $name >"$folder/$name.txt"; done
mkdir "$folder/sub"
printf 'w' >"$folder/Ωmega.txt" # a name outside the ANSI code page is listed as it is
$wine "$host" --choose "NEW NAME.NEW EXTENSION" "$folder/b.txt" </dev/null >/dev/null 2>&1 &
host_pid=$!
steps=$($wine "$robot" show click 1 ctrl-click 3 right-click 3 show right-click 2 show \
        shift-click 4 show close </dev/null 2>&1 | tr -d '\r')
expected=$(printf '%s\n' '  sub\' '  a.txt' '* b.txt' '  c.txt' '  d.txt' '  Ωmega.txt' \
  '  sub\' '* A.TXT' '  b.txt' '* C.TXT' '  d.txt' '  Ωmega.txt' \
  '  sub\' '  A.TXT' '* B.TXT' '  C.TXT' '  d.txt' '  Ωmega.txt' \
  '  sub\' '  A.TXT' '* B.TXT' '* C.TXT' '* d.txt' '  Ωmega.txt')
if [ "$steps" != "$expected" ]; then
  fail "the window's list and selection differ"
  diff <(echo "$expected") <(echo "$steps")
fi
for name in A B C; do
  [ "$(cat "$folder/$name.TXT" 2>/dev/null)" = "${name,}" ] || fail "$name.TXT: $(ls "$folder" | tr '\n' ' ')"
done
for waited in $(seq 100); do kill -0 $host_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $host_pid 2>/dev/null && { fail "the host did not close"; kill $host_pid; }

$wine regsvr32 /u /s "$dll" </dev/null >/dev/null 2>&1
rm -rf "$samples" "$folder"
[ $failures -eq 0 ] && echo "shell host: all checks passed"
exit $((failures > 0))
