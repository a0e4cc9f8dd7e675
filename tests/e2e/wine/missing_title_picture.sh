# Without gfx\mi_titel2.jpg the program shows its error box; once dismissed, it ends with exit
# code 0, and the log names the picture.
. "$(dirname "$0")/../lib.sh"
e2e_init missing_title_picture_wine
rm "$WORK/data/gfx/mi_titel2.jpg"
e2e_start
e2e_wait_window "Error" 30
e2e_shot error-box >/dev/null
kill -0 "$APP_PID" 2>/dev/null || e2e_fail "the program ended before the box was dismissed"
xdotool key --window "$WINDOW_ID" Return
e2e_wait_exit 15
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
lines=$(e2e_log_lines)
[ "$(printf '%s\n' "$lines" | head -n1)" = "Farbtiefe: 32" ] || e2e_fail "the log does not begin with the depth: $lines"
printf '%s\n' "$lines" | sed -n 2p | grep -q "^LoadImage: gfx/mi_titel2.jpg konnte nicht geladen werden" ||
    e2e_fail "the log does not name the picture: $lines"
[ "$(printf '%s\n' "$lines" | tail -n1)" = "kann backMain nicht laden" ] || e2e_fail "the log ends otherwise: $lines"
e2e_note "missing title picture under wine: box, exit 0"
