#!/bin/sh
# Settings written by one process are read by the next, and the system's own registry tool
# shows them as numbers under the program's key.
# usage: settings_between_processes.sh REGISTRY_PROBE_EXE
set -eu
probe=$1
key='HKCU\Software\Velmora\Minnespiegel\2004'
failed=0
wine reg delete "$key" /f > /dev/null 2>&1 || true

[ "$(wine "$probe" load back | tr -d '\r')" = missing ] || { echo "a value before any was saved"; failed=1; }
wine "$probe" save back 3
wine "$probe" save music 1
wine "$probe" save cd 16
for pair in back=3 music=1 cd=16; do
    got=$(wine "$probe" load "${pair%=*}" | tr -d '\r')
    [ "$got" = "${pair#*=}" ] || { echo "${pair%=*}: read $got, saved ${pair#*=}"; failed=1; }
done

shown=$(wine reg query "$key" | tr -d '\r')
printf '%s\n' "$shown"
for line in "back	REG_DWORD	0x3" "music	REG_DWORD	0x1" "cd	REG_DWORD	0x10"; do
    printf '%s\n' "$shown" | sed 's/^ *//; s/    /\t/g' | grep -qF "$line" || { echo "reg query lacks: $line"; failed=1; }
done
wine reg delete "$key" /f > /dev/null 2>&1
exit $failed
