#!/usr/bin/env bash
# The shipped DLL exports exactly the four COM server entries, imports system DLLs only, and
# registers no exception handler in its host; the library it is linked from holds none of the
# tests' seams; and, given a limit in KiB, it is no larger.
#   check_dll_links.sh <objdump> <Tarvix.dll> <core library> [<largest size in KiB>]
set -u
objdump=$1 dll=$2 core=$3 largest=${4:-}
dump=$("$objdump" -p "$dll") || { echo "cannot read $dll"; exit 1; }
exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -nE 's/^\s*\[\s*[0-9]+\] ([A-Za-z_0-9]+)$/\1/p' | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
status=0
if [ "$exports" != "$expected" ]; then
  echo "exports: '$exports', expected '$expected'"; status=1
fi
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMCTL32|COMDLG32|SHLWAPI|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(echo "$dump" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p')
[ -n "$imports" ] || { echo "no import list found"; status=1; }
for name in $imports; do
  upper=$(echo "$name" | sed -E 's/\.(dll|DLL)$//' | tr a-z A-Z)
  case "$upper" in MSVCRT) upper=msvcrt ;; esac
  if ! echo "$upper.dll" | grep -qiE "$allowed"; then
    echo "imports $name, which is not a system DLL"; status=1
  fi
done
handlers=$(echo "$dump" | grep -oE '(Add|Remove)Vectored(Exception|Continue)Handler|SetUnhandledExceptionFilter' | sort -u)
if [ -n "$handlers" ]; then
  echo "imports $(echo $handlers): a handler in the host's process"; status=1
fi
nm=${objdump%objdump}nm
seams=$("$nm" -C "$core" 2>/dev/null | grep -E ' [TDB] .*(FaultNow|PlanFault|ClearFaults|InjectedFaultCount|RecordFileTimeCalls|RecordedFileTimeCalls|RecordStartsInstead|StartForReal|RecordedStarts|OverrideLocalNow|OverridePlatformFamily)')
[ -s "$core" ] || { echo "no library $core"; status=1; }
if [ -n "$seams" ]; then
  echo "test seams in the product:"; echo "$seams"; status=1
fi
size=$(( $(stat -c %s "$dll") / 1024 ))
if [ -n "$largest" ] && [ "$size" -gt "$largest" ]; then
  echo "$dll is $size KiB, more than $largest KiB"; status=1
fi
echo "exports: $exports"
echo "imports: $(echo $imports)"
exit $status
