#!/bin/bash
# Fails when a program we ship imports a DLL that Windows does not bring along itself
# (a zlib1.dll, a libstdc++ or winpthread DLL...). Wine ships some of those, so running
# under Wine alone would never show the mistake.
# Usage: scripts/check-imports.sh PROGRAM.exe...
set -euo pipefail
allowed=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll
         oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winhttp.dll winmm.dll ntdll.dll)
status=0
for exe in "$@"; do
  while read -r dll; do
    lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
    if [[ " ${allowed[*]} " != *" $lower "* ]]; then
      echo "$(basename "$exe") imports $dll, which is not part of Windows"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
done
[ $status = 0 ] && echo "only Windows' own DLLs are imported by: $(for e in "$@"; do basename "$e"; done | tr '\n' ' ')"
exit $status
