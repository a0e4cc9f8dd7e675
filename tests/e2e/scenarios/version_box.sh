# "/v" shows only the version box and ends with exit code 0; --version, --help and an unknown
# option answer on the terminal.
. "$(dirname "$0")/../lib.sh"
e2e_init version_box

e2e_start /v
e2e_wait_window "Versionsinfo" 30
e2e_shot version-box >/dev/null
[ -z "$(e2e_find_window "Minnespiegel 2004")" ] || e2e_fail "the main window was made"
xdotool key --window "$WINDOW_ID" Return
e2e_wait_exit 15
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
[ -f "$WORK/data/error_log.txt" ] && e2e_fail "the version box wrote to the error log"

# The Windows program ends its console lines with CR LF.
program()
{
    if e2e_is_wine; then wine "$MINNE_BIN" "$@"; else "$MINNE_BIN" "$@"; fi
}
cd "$WORK/data" || e2e_fail "no data folder"
[ "$(program --version | tr -d '\r')" = "Minnespiegel 2004 Version 1.0" ] || e2e_fail "--version"
program --help | grep -q -- --window || e2e_fail "--help"
program --bogus 2>"$WORK/usage.txt"
[ $? -eq 2 ] || e2e_fail "an unknown option did not exit with 2"
grep -q -- --window "$WORK/usage.txt" || e2e_fail "no usage on standard error"
e2e_note "version box, --version, --help, usage: fine"
