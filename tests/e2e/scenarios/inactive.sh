# While another window has the focus the program draws nothing and its main thread uses no
# processor time; with the focus back the scene moves again.
. "$(dirname "$0")/../lib.sh"
e2e_init inactive

main_thread_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/task/$APP_PID/stat"; }

e2e_start_and_wait_for_title
program_window=$WINDOW_ID
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "no scene after Start"

(exec display -geometry 200x100+300+250 "$WORK/data/gfx/cursor.bmp") &
other_pid=$!
e2e_wait_window "ImageMagick: cursor.bmp" 10
xdotool windowfocus "$WINDOW_ID"
sleep 1
e2e_shot other-window-in-front >/dev/null
first=$LAST_SHOT
before=$(main_thread_ticks)
sleep 3
after=$(main_thread_ticks)
e2e_shot still-inactive >/dev/null
kill "$other_pid"
# The other window must be gone first: focus given while it still exists reverts to the root
# window when it is destroyed, and the program would never be told it is in front again.
wait "$other_pid" 2>/dev/null || true
[ "$after" -eq "$before" ] || e2e_fail "the inactive program used $((after - before)) clock ticks in 3 s"
changed=$(e2e_differing "$LAST_SHOT" 0 0 800 600 "$first" 0 0)
[ "$changed" = 0 ] || e2e_fail "the inactive program drew ($changed pixels changed)"

# flames_move: two looks half a second apart differ where the torches burn.
flames_move()
{
    xdotool windowfocus "$program_window"
    e2e_shot active-again >/dev/null
    local first=$LAST_SHOT
    sleep 0.5
    e2e_shot flames-moved >/dev/null
    e2e_at_most 20 "$(e2e_differing "$LAST_SHOT" 360 340 160 60 "$first" 360 340)" && return 1
    return 0
}

xdotool windowfocus "$program_window"
sleep 1
# A loaded machine may hand the focus back late; a program that stays still never moves.
e2e_wait_until 5 flames_move || e2e_fail "the flames stand still after the focus came back"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "inactive: no frames, main thread idle; active again: frames"
