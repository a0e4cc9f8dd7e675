#!/bin/sh
# Runs a command on an X server of its own, for tests that need the system's windows (message
# boxes): Xvfb picks a free display itself, so parallel runs never meet.
# usage: run_with_display.sh COMMAND [ARGUMENTS...]
set -eu
displayFile=$(mktemp)
Xvfb -displayfd 9 -screen 0 800x600x24 -nolisten tcp 9>"$displayFile" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$displayFile"' EXIT
for _ in $(seq 100); do
    [ -s "$displayFile" ] && break
    sleep 0.1
done
[ -s "$displayFile" ] || { echo "Xvfb did not start"; exit 1; }
DISPLAY=:$(cat "$displayFile") "$@"
