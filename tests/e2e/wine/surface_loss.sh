# Switching away from the exclusive full screen takes the display's surfaces away for real;
# back in front, the program restores them and loads its pictures again, so a title picture
# changed on disk in the meantime is what it shows then. Needs BRING_TO_FRONT (the
# bring_to_front.exe of this folder) and the program run under wine.
. "$(dirname "$0")/../lib.sh"
e2e_init surface_loss

e2e_start_and_wait_for_title
program_window=$WINDOW_ID
# The window must have the X focus first, so that giving it to another window takes it away.
xdotool windowfocus "$program_window"
sleep 1
e2e_shot before >/dev/null

xmessage -geometry 200x100+300+250 "anderes Programm" &
other_pid=$!
e2e_wait_window xmessage 10
xdotool windowfocus --sync "$WINDOW_ID"
sleep 2
e2e_shot away >/dev/null
cp "$WORK/data/gfx/mi_einstellungen.jpg" "$WORK/data/gfx/mi_titel2.jpg"
kill "$other_pid"

wine "$BRING_TO_FRONT" || e2e_fail "the program's window could not be brought back"
e2e_wait_until 10 e2e_title_menu_shown ||
    e2e_fail "back in front, the title menu does not show the picture on disk: nothing was loaded again"
e2e_shot back-with-reloaded-pictures >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "surfaces lost away from the full screen, restored in front, pictures loaded again"
