# The registry entries of a registered Tarvix, checked with Wine's reg query. Sourced by the
# registration and installer tests; they count failures in $failures.
wine=/usr/lib/wine/wine64
clsid='{FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}'
approved='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
# Where registration writes: the machine's classes, never the user's.
classes='HKLM\Software\Classes'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
query() { $wine reg query "$@" </dev/null >/dev/null 2>&1; }
value_of() { $wine reg query "$@" </dev/null 2>/dev/null | tr -d '\r' | sed -nE 's/^ +[^ ].*REG_SZ +(.*)$/\1/p' | head -1; }

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
