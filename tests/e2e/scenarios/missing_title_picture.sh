# Without gfx/mi_titel2.jpg the program says "kann backMain nicht laden" in an error box; once
# the box is dismissed it ends with exit code 0. The log names the file and why it failed.
. "$(dirname "$0")/../lib.sh"
e2e_init missing_title_picture
rm "$WORK/data/gfx/mi_titel2.jpg"

e2e_start
e2e_wait_window "Error" 30
e2e_shot error-box >/dev/null
box=$WINDOW_ID
kill -0 "$APP_PID" 2>/dev/null || e2e_fail "the program ended before the box was dismissed"
xdotool key --window "$box" Return
e2e_wait_exit 15
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_expect_log "Farbtiefe: 32" \
    "LoadImage: gfx/mi_titel2.jpg konnte nicht geladen werden (cannot open the file: No such file or directory)" \
    "kann backMain nicht laden"
e2e_note "missing title picture: box, exit 0"
