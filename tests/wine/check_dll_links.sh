#!/usr/bin/env bash
# The DLL exports exactly the four COM server entries and imports system DLLs only.
set -u
objdump=$1 dll=$2
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
echo "exports: $exports"
echo "imports: $(echo $imports)"
exit $status
