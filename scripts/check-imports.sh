#!/bin/bash
# Fails when a program we ship imports a DLL that Windows does not bring along itself
# (a zlib1.dll, a libstdc++ or winpthread DLL...). Wine ships some of those, so running
# under Wine alone would never show the mistake.
# The programs named after --first-paint must import no more than their window needs to
# appear: the shell, COM, WinHTTP, the sound API and the like are loaded at first use
# (src/platform/late_libraries.h), and one called directly would come back into the import
# table quietly (MinGW links shell32 and others by default).
# Usage: scripts/check-imports.sh PROGRAM.exe... [--first-paint PROGRAM.exe...]
set -euo pipefail
allowed=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll
         oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winhttp.dll winmm.dll ntdll.dll)
first_paint=(advapi32.dll comctl32.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll user32.dll uxtheme.dll
             version.dll)
status=0
checked=()
strict=0
for exe in "$@"; do
  if [ "$exe" = --first-paint ]; then strict=1; continue; fi
  [ -f "$exe" ] || { echo "no such program: $exe"; status=1; continue; }
  checked+=("$(basename "$exe")")
  dlls="$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')"
  [ -n "$dlls" ] || { echo "$(basename "$exe"): no import table found"; status=1; continue; }
  while read -r dll; do
    lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
    if [[ " ${allowed[*]} " != *" $lower "* ]]; then
      echo "$(basename "$exe") imports $dll, which is not part of Windows"
      status=1
    elif [ $strict = 1 ] && [[ " ${first_paint[*]} " != *" $lower "* ]]; then
      echo "$(basename "$exe") imports $dll, which its first paint does not need: load it at first use" \
           "(src/platform/late_libraries.h)"
      status=1
    fi
  done <<<"$dlls"
  [ $strict = 1 ] && echo "$(basename "$exe") imports: $(echo $dlls)"
done
[ $status = 0 ] && echo "only Windows' own DLLs are imported by: ${checked[*]}"
exit $status
