#!/usr/bin/env bash
# The setup program under Wine: a silent install gives the files, the six registry entries
# and the Add/Remove Programs entry; a silent uninstall takes all of them away again.
#   installer_test.sh <setup.exe> [x86]   (x86: the setup carries the 32-bit DLL too)
set -u
setup=$1
source "$(dirname "$0")/registry_checks.sh"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvix'
folder=$($wine winepath -u 'C:\Program Files\Tarvix' 2>/dev/null | tr -d '\r')
folder=${folder%/}
installed=("$folder/Tarvix.dll" "$folder/help/help.htm" "$folder/help/img/menu.png" "$folder/uninstall.exe")
[ "${2:-}" = x86 ] && installed+=("$folder/x86/Tarvix.dll") # the 32-bit DLL

# The uninstaller copies itself away and returns at once; its copy does the work.
uninstall_and_wait() {
  $wine "$folder/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "uninstaller failed to start"
  local waited=0
  while [ -e "$folder" ] && [ $waited -lt 600 ]; do sleep 0.1; waited=$((waited + 1)); done
}

[ -e "$folder/uninstall.exe" ] && uninstall_and_wait # left over from an interrupted run

$wine "$setup" /S </dev/null >/dev/null 2>&1 || fail "setup returned an error"
for file in "${installed[@]}"; do [ -f "$file" ] || fail "$file not installed"; done
check_registered nospace
[ "$(value_of "$uninstall_key" /v DisplayName)" = Tarvix ] || fail "no Add/Remove Programs entry"
case "$(value_of "$uninstall_key" /v UninstallString)" in
  *'Tarvix\uninstall.exe"') ;;
  *) fail "uninstall command '$(value_of "$uninstall_key" /v UninstallString)'" ;;
esac

uninstall_and_wait
[ -e "$folder" ] && fail "$folder left behind: $(find "$folder" | tr '\n' ' ')"
check_unregistered
query "$uninstall_key" && fail "Add/Remove Programs entry left behind"

[ $failures -eq 0 ] && echo "installer: all checks passed"
exit $((failures > 0))
