#!/usr/bin/env bash
# The setup program under Wine, as a user meets it:
# - a silent install gives the files, the registry entries and the Apps entry, and the Apps
#   entry, the help page and the DLLs name one version;
# - installing again while a process holds the DLL (the shell host, built beside the setup,
#   keeps its menu open) succeeds: the held file moves aside and only it waits for the delete
#   at the next start;
# - an uninstall while it is held, then a reinstall, then that next start (wineboot -r) leave
#   the reinstalled DLL in place;
# - a last uninstall takes everything away;
# - all of that on Windows 10 without a word to the package manager; on Windows 11 (a prefix
#   whose build number says so, with a stand-in for powershell.exe that records its calls) the
#   setup registers the package for all users with the install folder as external location,
#   the uninstaller removes it before the files, and a refused registration still leaves a
#   working classic install.
#   installer_test.sh <setup.exe> <powershell stand-in> [x86] [test-signed]
#   (x86: the setup carries the 32-bit DLL too; test-signed: and the test certificate)
set -u
setup=$1 powershell_stand_in=$2
shift 2
x86=0 test_signed=0
for flag in "$@"; do
  case "$flag" in x86) x86=1 ;; test-signed) test_signed=1 ;; esac
done
source "$(dirname "$0")/registry_checks.sh"
host=$(dirname "$setup")/ShellHost.exe
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvix'
session='HKLM\System\CurrentControlSet\Control\Session Manager'
folder=$($wine winepath -u 'C:\Program Files\Tarvix' 2>/dev/null | tr -d '\r')
folder=${folder%/}
installed=(Tarvix.dll help/help.htm help/img/menu.png LICENSE.txt uninstall.exe Tarvix.msix
  Tarvix-package.ps1)
[ $x86 -eq 1 ] && installed+=(x86/Tarvix.dll x86/help/help.htm x86/help/img/menu.png)
[ $test_signed -eq 1 ] && installed+=(Tarvix-test.cer)

# The Windows build the setup reads, and the stand-in for the package manager's command line;
# both are put back when the test ends.
version_key='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
powershell=$($wine winepath -u 'C:\windows\system32\WindowsPowerShell\v1.0\powershell.exe' 2>/dev/null | tr -d '\r')
if [ -e "$powershell.stub" ]; then # left over from an interrupted run
  mv "$powershell.stub" "$powershell"
  $wine reg add "$version_key" /v CurrentBuildNumber /d "$(cat "$powershell.build")" /f </dev/null >/dev/null 2>&1
fi
build_before=$(value_of "$version_key" /v CurrentBuildNumber)
echo "$build_before" >"$powershell.build"
cp "$powershell" "$powershell.stub" && cp "$powershell_stand_in" "$powershell" ||
  { echo "FAIL: no stand-in for $powershell"; exit 1; }
work=$(mktemp -d)
export TARVIX_POWERSHELL_LOG
TARVIX_POWERSHELL_LOG=$($wine winepath -w "$work/powershell.log" 2>/dev/null | tr -d '\r')
restore() {
  $wine reg add "$version_key" /v CurrentBuildNumber /d "$build_before" /f </dev/null >/dev/null 2>&1
  mv "$powershell.stub" "$powershell"
  rm -f "$powershell.build"
  rm -rf "$work"
}
trap restore EXIT
trap 'exit 1' INT TERM
windows_build() { $wine reg add "$version_key" /v CurrentBuildNumber /d "$1" /f </dev/null >/dev/null 2>&1; }
windows_build 19045 # Windows 10

# The uninstaller copies itself away and returns at once; its copy does the work, the Apps
# entry last.
uninstall_and_wait() {
  $wine "$folder/uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "uninstaller failed to start"
  local waited=0
  while query "$uninstall_key" && [ $waited -lt 600 ]; do sleep 0.1; waited=$((waited + 1)); done
  # The uninstaller runs on in the background; one still at work would change what is checked next.
  ! query "$uninstall_key" || fail "the uninstaller did not finish within a minute"
}
install() { $wine "$setup" /S </dev/null >/dev/null 2>&1 || fail "setup returned an error ($1)"; }
check_installed() {
  for file in "${installed[@]}"; do [ -f "$folder/$file" ] || fail "$file not installed ($1)"; done
  check_registered nospace
}
# The files that wait for the next start of Windows, one a line.
pending_deletes() {
  $wine reg query "$session" /v PendingFileRenameOperations </dev/null 2>/dev/null | tr -d '\r' |
    sed -nE 's/.*REG_MULTI_SZ +//p' | sed 's/\\0/\n/g' | grep -v '^$'
}
check_live_dll_kept() {
  pending_deletes | grep -qixF '\??\C:\Program Files\Tarvix\Tarvix.dll' &&
    fail "the live Tarvix.dll waits for a delete at the next start ($1)"
}
version_of_dll() {
  x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | sed -nE 's/.*VALUE "FileVersion", "(.*)"/\1/p'
}

[ -e "$folder/uninstall.exe" ] && uninstall_and_wait # left over from an interrupted run
$wine wineboot -r </dev/null >/dev/null 2>&1         # and whatever waits for the next start

install "first"
check_installed "first"
[ "$(value_of "$uninstall_key" /v DisplayName)" = Tarvix ] || fail "no Apps entry"
case "$(value_of "$uninstall_key" /v UninstallString)" in
  *'Tarvix\uninstall.exe"') ;;
  *) fail "uninstall command '$(value_of "$uninstall_key" /v UninstallString)'" ;;
esac
version=$(value_of "$uninstall_key" /v DisplayVersion)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "Apps entry version '$version'"
grep -q "user's manual for version $version<" "$folder/help/help.htm" || fail "help page version"
for dll in "$folder/Tarvix.dll" "$folder/x86/Tarvix.dll"; do
  [ -f "$dll" ] && [ "$(version_of_dll "$dll")" != "$version" ] && fail "$dll version"
done

# A process holds the installed DLL: the host's menu stays open until the file menu.done appears.
mkdir "$work/done" && printf 'x' >"$work/held.txt" && : >"$work/host.txt"
done_folder=$($wine winepath -w "$work/done" 2>/dev/null | tr -d '\r')
$wine "$host" --picture "$done_folder" "$work/held.txt" </dev/null >"$work/host.txt" 2>&1 &
host_pid=$!
for waited in $(seq 300); do grep -q '^HOLD' "$work/host.txt" && break; sleep 0.1; done
grep -q '^HOLD' "$work/host.txt" || fail "the host did not load the DLL: $(cat "$work/host.txt")"

install "over the held DLL"
check_installed "over the held DLL"
check_live_dll_kept "upgrade"

uninstall_and_wait
for file in "${installed[@]}"; do [ -e "$folder/$file" ] && fail "$file left behind"; done
check_unregistered
query "$uninstall_key" && fail "Apps entry left behind"
check_live_dll_kept "uninstall"

install "again before the next start"
touch "$work/done/menu.done"
for waited in $(seq 100); do kill -0 $host_pid 2>/dev/null || break; sleep 0.1; done
kill -0 $host_pid 2>/dev/null && { fail "the host did not end"; kill $host_pid; }
$wine wineboot -r </dev/null >/dev/null 2>&1 # the next start: the waiting deletes are done
check_installed "after the next start"
ls "$folder" | grep -q 'old-' && fail "moved-aside DLLs left after the next start: $(ls "$folder")"

uninstall_and_wait
[ -e "$folder" ] && fail "$folder left behind: $(find "$folder" | tr '\n' ' ')"
check_unregistered
query "$uninstall_key" && fail "Apps entry left behind"
[ -s "$work/powershell.log" ] && fail "the package manager was called on Windows 10: $(cat "$work/powershell.log")"

# Windows 11: the package for all users, from the install folder; removed before the files.
windows_build 22631
dos_folder='C:\Program Files\Tarvix'
certificate=
[ $test_signed -eq 1 ] && certificate=" -Certificate \"$dos_folder\\Tarvix-test.cer\""
command="-File \"$dos_folder\\Tarvix-package.ps1\""
expected_register="$command -Register -Package \"$dos_folder\\Tarvix.msix\" -ExternalLocation \"$dos_folder\"$certificate [script present]"
expected_unregister="$command -Unregister$certificate [script present]"
calls() { tr -d '\r' <"$work/powershell.log" 2>/dev/null | sed -nE 's/.*powershell.exe" .* -ExecutionPolicy Bypass //p'; }
install "Windows 11"
check_installed "Windows 11"
[ "$(calls)" = "$expected_register" ] || fail "registration call '$(calls)', expected '$expected_register'"
for all_users in ProvisionPackageForAllUsersAsync 'Remove-AppxPackage -Package .* -AllUsers'; do
  grep -qE "$all_users" "$folder/Tarvix-package.ps1" || fail "the package script lacks $all_users"
done
: >"$work/powershell.log"
uninstall_and_wait
[ "$(calls)" = "$expected_unregister" ] || fail "removal call '$(calls)', expected '$expected_unregister'"
[ -e "$folder" ] && fail "$folder left behind on Windows 11: $(find "$folder" | tr '\n' ' ')"

# Windows refuses the package: the setup ends well and the classic menu is registered.
export TARVIX_POWERSHELL_EXIT=1
install "Windows 11, package refused"
check_installed "Windows 11, package refused"
uninstall_and_wait
[ -e "$folder" ] && fail "$folder left behind after a refused package: $(find "$folder" | tr '\n' ' ')"
check_unregistered
unset TARVIX_POWERSHELL_EXIT

[ $failures -eq 0 ] && echo "installer: all checks passed"
exit $((failures > 0))
