# Alt+Enter switches between full screen and a window without typing into the question: in the
# window the system pointer steers the cursor directly, in full screen the mouse moves it
# relatively. --window starts in the window.
. "$(dirname "$0")/../lib.sh"
e2e_init window_mode

# cursor_drawn_at X Y: the cursor picture stands at (X, Y) over the title picture.
cursor_drawn_at()
{
    e2e_grab
    ! e2e_at_most "$(e2e_differing "$POLL_SHOT" "$1" "$2" 20 23 "$WORK/data/gfx/mi_titel2.jpg" "$1" "$2")" 20
}

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "no scene after Start"
xdotool type --delay 70 "Liebe"
e2e_key alt+Return
sleep 0.5
e2e_shot window-mode >/dev/null
e2e_key alt+Return
sleep 0.5
e2e_shot full-screen-again >/dev/null
e2e_question_ink_at_least 1 || e2e_fail "the question went away"
count_before=$(e2e_question_ink "$LAST_SHOT")
# Still the question screen with the same text: Enter was neither typed nor a submit.
e2e_scene_shown 1 || e2e_fail "the scene changed"
xdotool type --delay 70 "x"
sleep 0.3
e2e_grab
[ "$(e2e_question_ink "$POLL_SHOT")" -gt "$count_before" ] || e2e_fail "typing stopped after Alt+Enter"
e2e_click 720 35
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "no title menu"

# In the window the cursor follows the system pointer to the spot.
e2e_key alt+Return
sleep 0.5
xdotool mousemove 300 160
e2e_wait_until 3 cursor_drawn_at 293 158 || e2e_fail "in the window the cursor does not follow the pointer"
e2e_shot cursor-follows-pointer >/dev/null
e2e_key alt+Return
sleep 0.5
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "full screen mouse does not work after switching back"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"

e2e_start --window
e2e_wait_window "Minnespiegel 2004"
e2e_wait_until 20 e2e_title_menu_shown || e2e_fail "no title menu in the window"
xdotool mousemove 300 160
e2e_wait_until 3 cursor_drawn_at 293 158 || e2e_fail "--window: the cursor does not follow the pointer"
xdotool mousemove 50 350 click 1
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "--window: Start did not work"
e2e_shot window-scene >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_expect_log "Farbtiefe: 32" "spiegel started" "spiegel started" "ESC pressed - leaving at once" \
    "Farbtiefe: 32" "spiegel started" "ESC pressed - leaving at once"
e2e_note "Alt+Enter and --window: fine"
