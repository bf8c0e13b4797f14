#!/usr/bin/env bash
# Runs the engine's size-limit case under a file-size limit, as a full disk would cut a copy:
# the sources are made first, then the test program runs with writes beyond the limit refused
# (SIGXFSZ ignored, so the write fails instead of ending the process).
set -u
program=$1
folder=$(mktemp -d)
head -c $((2 * 1024 * 1024)) /dev/urandom >"$folder/big.bin"
mkdir -p "$folder/Tree/Sub"
printf 'small one' >"$folder/Tree/one.txt"
head -c $((48 * 1024)) /dev/zero | tr '\0' x >"$folder/Tree/Sub/cut.txt"
printf 'small two' >"$folder/Tree/Sub/two.txt"
export TARVIX_SIZE_LIMIT_FOLDER
TARVIX_SIZE_LIMIT_FOLDER=$(/usr/lib/wine/wine64 winepath -w "$folder" 2>/dev/null | tr -d '\r')
(
  trap '' XFSZ
  ulimit -f 32 # kilobytes
  exec /usr/lib/wine/wine64 "$program" --gtest_filter='SizeLimit.*'
)
status=$?
rm -rf "$folder"
exit $status
