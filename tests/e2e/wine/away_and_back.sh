# Another window takes the focus from the exclusive full screen: the program then waits for
# messages instead of drawing, and its surfaces are taken away for real. Brought back in
# front, it restores them and loads its pictures again, so a title picture changed on disk in
# the meantime is what it shows then. Prints the processor use on the title menu and while
# away, over a few seconds each. Needs BRING_TO_FRONT (the bring_to_front.exe of this folder).
. "$(dirname "$0")/../lib.sh"
e2e_init away_and_back

hz=$(getconf CLK_TCK)
process_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
seconds=4
percent() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }

e2e_start_and_wait_for_title
sleep 0.5
e2e_shot before >/dev/null
t0=$(process_ticks)
sleep "$seconds"
t1=$(process_ticks)

xmessage -geometry 200x100+300+250 "anderes Programm" &
other=$!
e2e_wait_window xmessage 10
xdotool windowfocus --sync "$WINDOW_ID"
sleep 1
i0=$(process_ticks)
sleep "$seconds"
i1=$(process_ticks)
e2e_shot away >/dev/null
cp "$WORK/data/gfx/mi_einstellungen.jpg" "$WORK/data/gfx/mi_titel2.jpg"
kill "$other"
title=$(percent $((t1 - t0)))
inactive=$(percent $((i1 - i0)))
e2e_note "processor use under wine: title menu $title %, inactive $inactive % ($seconds s each)"

wine "$BRING_TO_FRONT" || e2e_fail "the program's window could not be brought back"
e2e_wait_until 10 e2e_title_menu_shown ||
    e2e_fail "back in front, the title menu does not show the picture on disk: nothing was loaded again"
e2e_shot back-with-reloaded-pictures >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_at_most "$title" 60 || e2e_fail "the title menu takes $title % of a core"
e2e_at_most "$inactive" 5 || e2e_fail "inactive, the program takes $inactive % of a core"
e2e_note "surfaces lost away from the full screen, restored in front, pictures loaded again"
