# Start shows the scene; a question typed on a German keyboard, umlauts and all, appears in the
# box; Enter sends it into the gate, the gate glows, an answer fades in; a click returns to an
# empty question; Zurück returns to the title menu; Escape ends with exit code 0.
. "$(dirname "$0")/../lib.sh"
e2e_init question_and_answer

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"
e2e_shot scene >/dev/null
e2e_region_shows "$LAST_SHOT" 700 24 77 32 "$WORK/data/gfx/mb_zurueck.bmp" 0 0 40
e2e_question_ink_at_least 1 && e2e_fail "the question box is not empty at the start"

xdotool type --delay 70 "Liebt er mich"
sleep 0.3
e2e_shot question-ascii >/dev/null
ascii=$(e2e_question_ink "$LAST_SHOT")
[ "$ascii" -gt 50 ] || e2e_fail "the typed question does not show in the box ($ascii pixels)"
# Each German letter is one more glyph in the box.
previous=$ascii
for key in space adiaeresis odiaeresis udiaeresis ssharp Adiaeresis Odiaeresis Udiaeresis question; do
    e2e_key "$key"
    sleep 0.1
    e2e_grab
    now=$(e2e_question_ink "$POLL_SHOT")
    if [ "$key" != space ] && [ "$now" -le "$previous" ]; then
        e2e_fail "typing $key added nothing to the box"
    fi
    previous=$now
done
e2e_shot question-umlauts >/dev/null
e2e_key BackSpace
sleep 0.1
e2e_grab
[ "$(e2e_question_ink "$POLL_SHOT")" -lt "$previous" ] || e2e_fail "Backspace removed nothing"
e2e_key question

e2e_shot before-enter >/dev/null
before=$LAST_SHOT
e2e_key Return
sleep 1.2
e2e_shot gate-glows >/dev/null
changed=$(e2e_differing "$LAST_SHOT" 412 314 69 80 "$before" 412 314)
e2e_at_most 300 "$changed" || e2e_fail "the gate does not glow ($changed pixels changed)"
e2e_wait_until 10 e2e_box_colour_at_least 100 25 125 100 || e2e_fail "no answer appeared"
sleep 1
e2e_shot answer >/dev/null

e2e_click 400 200
sleep 0.3
e2e_shot question-again >/dev/null
e2e_box_colour_at_least 100 25 125 1 && e2e_fail "the answer is still shown after the click"
e2e_question_ink_at_least 1 && e2e_fail "the question was not emptied"

e2e_click 720 35
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
e2e_shot back-on-title >/dev/null

e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Escape"
e2e_expect_log "Farbtiefe: 32" "spiegel started" "ESC pressed - leaving at once"
e2e_note "scene, German question, glow, answer, dismissal, back, Escape: fine"
