#!/bin/sh
# check_imports.sh OBJDUMP FOLDER: every .exe in FOLDER imports only DLLs that every 64-bit
# Windows has, so the programs run from an unpacked zip with nothing installed beside them.
set -eu
objdump=$1
folder=$2
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  winmm.dll ddraw.dll dinput.dll msvcrt.dll ws2_32.dll comdlg32.dll shlwapi.dll version.dll "
count=0
failed=0
for exe in "$folder"/*.exe; do
  [ -e "$exe" ] || continue
  count=$((count + 1))
  for dll in $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case "$system_dlls" in
      *" $dll"[[:space:]]*) ;;
      *) echo "$(basename "$exe") needs $dll"; failed=1 ;;
    esac
  done
done
[ "$count" -gt 0 ] || { echo "no programs in $folder"; exit 1; }
exit $failed
