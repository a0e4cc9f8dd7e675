# Given a folder without data (--data), started in a folder without data: one error box names
# the folder looked at; once dismissed the program ends with exit code 1, having logged the same
# message into $XDG_STATE_HOME/minnespiegel and written nothing into either folder.
. "$(dirname "$0")/../lib.sh"
e2e_init no_data_folder
mkdir -p "$WORK/home" "$WORK/nowhere"
export XDG_STATE_HOME="$WORK/state"

(cd "$WORK/home" && exec "$MINNE_BIN" --data "$WORK/nowhere" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
APP_PID=$!
e2e_wait_window "Error" 20
e2e_shot error-box >/dev/null
xdotool key --window "$WINDOW_ID" Return
e2e_wait_exit 10
[ "$EXIT_CODE" -eq 1 ] || e2e_fail "exit code $EXIT_CODE"
[ -n "$(e2e_find_window "Minnespiegel 2004")" ] && e2e_fail "a window opened without data"
log=$(tr -d '\r' <"$WORK/state/minnespiegel/error_log.txt" | cut -c27-)
[ "$(echo "$log" | wc -l)" -eq 1 ] || e2e_fail "error_log.txt holds more than one line: $log"
case "$log" in
*"wurden nicht gefunden. Gesucht in: $WORK/nowhere Ein anderer Ordner"*) ;;
*) e2e_fail "the log does not name the folder looked at: $log" ;;
esac
[ -z "$(ls -A "$WORK/home")$(ls -A "$WORK/nowhere")" ] || e2e_fail "files were written"
e2e_note "no data: one box naming the folder, logged in the state folder, exit 1"
