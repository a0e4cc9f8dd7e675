# In a window, without the focus: another window that covered part of the program goes away,
# and the uncovered part shows the program's last frame again at once, not an empty patch,
# while the program still draws no new frames and uses no processor time.
. "$(dirname "$0")/../lib.sh"
e2e_init window_repaint

main_thread_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/task/$APP_PID/stat"; }

e2e_start --window
e2e_wait_window "Minnespiegel 2004"
e2e_wait_until 20 e2e_title_menu_shown || e2e_fail "no title menu in the window"
xdotool mousemove 50 350 click 1
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "no scene after Start"
xdotool mousemove 790 590
sleep 0.3
e2e_shot before-cover >/dev/null
uncovered_before=$LAST_SHOT

# One window holds the focus, a second one covers the middle of the scene and then goes.
(exec display -geometry +700+540 "$WORK/data/gfx/mb_hilfe.bmp") &
holder_pid=$!
e2e_wait_window "ImageMagick: mb_hilfe.bmp" 10
holder=$WINDOW_ID
(exec display -resize '300x200!' -geometry +150+120 "$WORK/data/gfx/cursor.bmp") &
cover_pid=$!
e2e_wait_window "ImageMagick: cursor.bmp" 10
xdotool windowfocus "$holder"
sleep 1
e2e_shot covered >/dev/null
kill "$cover_pid"
wait "$cover_pid" 2>/dev/null
sleep 0.5
e2e_shot uncovered >/dev/null
uncovered=$LAST_SHOT
# The flames flicker below this part and the dancer stands left of it: only a frame moves them.
changed=$(e2e_differing "$uncovered" 150 120 300 200 "$uncovered_before" 150 120)
e2e_at_most "$changed" 600 || e2e_fail "the uncovered part is not the program's picture ($changed pixels differ)"

# A late exposure or focus event may cost a tick; drawing frames would cost dozens.
before=$(main_thread_ticks)
sleep 2
after=$(main_thread_ticks)
e2e_shot still-inactive >/dev/null
e2e_at_most "$((after - before))" 1 || e2e_fail "the inactive program used $((after - before)) clock ticks in 2 s"
changed=$(e2e_differing "$LAST_SHOT" 0 0 800 600 "$uncovered" 0 0)
[ "$changed" = 0 ] || e2e_fail "the inactive program drew new frames ($changed pixels changed)"
kill "$holder_pid"
wait "$holder_pid" 2>/dev/null

xdotool windowfocus "$(e2e_find_window "Minnespiegel 2004")"
sleep 0.3
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "an uncovered inactive window shows its last frame again; no frames, no processor time"
