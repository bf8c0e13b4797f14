# The registry entries of a registered Tarvix, checked with Wine's reg query. Sourced by the
# registration and installer tests; they count failures in $failures.
wine=/usr/lib/wine/wine64
clsid='{FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}'
approved='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
# Where registration writes: the machine's classes, never the user's.
classes='HKLM\Software\Classes'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# reg query, its answer in $reg_output: 0 found, 1 missing (reg ran and found no such key or
# value). A reg that did not run through (a Wine program that could not start) is neither: it
# is asked again, and at last reported on stderr as what it is, never read as an empty or a
# missing value.
reg_query() {
  local attempt status
  for attempt in 1 2 3; do
    reg_output=$($wine reg query "$@" </dev/null 2>&1)
    status=$?
    reg_output=${reg_output//$'\r'/}
    [ $status -eq 0 ] && return 0
    [ $status -eq 1 ] && [[ $reg_output == *"Unable to find"* ]] && return 1
  done
  echo "FAIL: reg query $* did not run through (exit code $status): $reg_output" >&2
  failures=$((failures + 1))
  return 2
}
query() { reg_query "$@"; }
value_of() {
  reg_query "$@" && echo "$reg_output" | sed -nE 's/^ +[^ ].*REG_SZ +(.*)$/\1/p' | head -1
}

check_registered() { # expected server path check: exact or "nospace"
  [ "$(value_of "$classes\\CLSID\\$clsid" /ve)" = "Tarvix Context Menu Shell Extension" ] || fail "class key"
  local server
  server=$(value_of "$classes\\CLSID\\$clsid\\InprocServer32" /ve)
  if [ "$1" = nospace ]; then
    case "$server" in *" "*|"") fail "server path '$server' should be the short form" ;; esac
  else
    [ "$server" = "$1" ] || fail "server path '$server', expected '$1'"
  fi
  [ "$(value_of "$classes\\CLSID\\$clsid\\InprocServer32" /v ThreadingModel)" = Apartment ] || fail "threading model"
  [ "$(value_of "$classes\\*\\shellex\\ContextMenuHandlers\\Tarvix" /ve)" = "$clsid" ] || fail "file handler"
  [ "$(value_of "$classes\\Folder\\shellex\\ContextMenuHandlers\\Tarvix" /ve)" = "$clsid" ] || fail "folder handler"
  [ "$(value_of "$approved" /v "$clsid")" = "Tarvix Context Menu Shell Extension" ] || fail "approved value"
}

check_unregistered() {
  for key in "$classes\\CLSID\\$clsid" "$classes\\*\\shellex\\ContextMenuHandlers\\Tarvix" \
             "$classes\\Folder\\shellex\\ContextMenuHandlers\\Tarvix"; do
    query "$key" >/dev/null && fail "$key left behind"
  done
  query "$approved" /v "$clsid" >/dev/null && fail "approved value left behind"
  query "$approved" >/dev/null || fail "the approved key itself should stay"
}
