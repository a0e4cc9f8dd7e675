# "/v" shows only the version box titled "Versionsinfo" and ends with exit code 0.
. "$(dirname "$0")/../lib.sh"
e2e_init version_box_wine
e2e_start /v
e2e_wait_window "Versionsinfo" 30
e2e_shot version-box >/dev/null
[ -z "$(e2e_find_window "Minnespiegel 2004")" ] || e2e_fail "the main window was made"
xdotool key --window "$WINDOW_ID" Return
e2e_wait_exit 15
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
[ -f "$WORK/data/error_log.txt" ] && e2e_fail "the version box wrote to the error log"
e2e_note "version box under wine: fine"
