# The frame loop does not spin under wine: processor time of the program on the title menu over
# 10 s, and while another window has the focus. Prints the figures.
. "$(dirname "$0")/../lib.sh"
e2e_init processor_use

hz=$(getconf CLK_TCK)
process_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }
percent() { awk -v t="$1" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }'; }

e2e_start_and_wait_for_title
program=$WINDOW_ID
xdotool windowfocus "$program"
sleep 1
t0=$(process_ticks)
sleep 10
t1=$(process_ticks)

xmessage -geometry 200x100+300+250 "anderes Programm" &
other=$!
e2e_wait_window xmessage 10
xdotool windowfocus --sync "$WINDOW_ID"
sleep 1
i0=$(process_ticks)
sleep 10
i1=$(process_ticks)
kill "$other"
title=$(percent $((t1 - t0)))
inactive=$(percent $((i1 - i0)))
e2e_note "processor use under wine: title menu $title %, inactive $inactive % (10 s each)"
# A full-screen program that lost the focus is minimised; only a task switch brings it back.
wine "$BRING_TO_FRONT" || e2e_fail "the program's window could not be brought back"
sleep 1
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_at_most "$title" 60 || e2e_fail "the title menu takes $title % of a core"
e2e_at_most "$inactive" 5 || e2e_fail "inactive, the program takes $inactive % of a core"
