# Full screen shows each frame by flipping a chain of two buffers. Small changes (the cursor
# moving, letters typed) must never bring an older picture back around them: every one of
# six screenshots on the title menu with the cursor moving between them, and one after each
# letter typed in the scene, shows the newest frame.
. "$(dirname "$0")/../lib.sh"
e2e_init flip_chain

e2e_start_and_wait_for_title
for i in $(seq 1 6); do
    e2e_motion $((i % 2 ? 9 : -7)) 5
    sleep 0.15
    e2e_shot "title-$i" >/dev/null
    e2e_expect_title_menu "$LAST_SHOT"
done
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"
previous=0
for letter in l i e b e; do
    e2e_key "$letter"
    sleep 0.2
    e2e_shot "typed-$letter" >/dev/null
    e2e_expect_landscape "$LAST_SHOT" 1
    now=$(e2e_question_ink "$LAST_SHOT")
    [ "$now" -gt "$previous" ] || e2e_fail "after '$letter' the box shows $now pixels of text, before it $previous"
    previous=$now
done
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "11 screenshots of the flipped full screen, each with the newest frame"
