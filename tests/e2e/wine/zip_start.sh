# The Windows zip unpacked into a folder of its own, the program started from there as a
# double-click does (the working folder is the program's): the title menu appears, and Escape
# ends with exit code 0 and writes the log beside the program. Needs MINNE_ZIP.
. "$(dirname "$0")/../lib.sh"
e2e_init zip_start
rm -rf "$WORK/data"
mkdir -p "$WORK/data"
unzip -q "$MINNE_ZIP" -d "$WORK/data" || e2e_fail "the zip does not unpack"
MINNE_BIN="$WORK/data/minnespiegel.exe"
[ -f "$MINNE_BIN" ] || e2e_fail "no minnespiegel.exe at the top of the zip"

e2e_start_and_wait_for_title
e2e_shot title-from-zip >/dev/null
e2e_key Escape
e2e_wait_exit 15
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_expect_log "Farbtiefe: 32" "ESC pressed - leaving at once"
e2e_note "unpacked from $(basename "$MINNE_ZIP") ($(stat -c %s "$MINNE_ZIP") bytes): title menu, exit 0"
