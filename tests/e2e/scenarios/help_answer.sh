# A question in distress gets the help file's answer, on two lines inside the box; without
# sw.dat and hv.dat the program shows one box at start, logs both files, creates neither, and
# still runs.
. "$(dirname "$0")/../lib.sh"
e2e_init help_answer

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"
xdotool type --delay 70 "ich will nicht mehr leben"
sleep 0.3
e2e_key Return
e2e_wait_until 10 e2e_box_colour_at_least 100 25 125 100 || e2e_fail "no answer appeared"
sleep 1.5
e2e_shot help-answer >/dev/null
# The help answer needs two lines: answer ink below the one-line place (box rows 62 to 79).
second=$(e2e_count_colour "$LAST_SHOT" 141 567 500 18 100 25 125)
[ "$second" -gt 50 ] || e2e_fail "the help answer does not stand on two lines ($second pixels)"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Escape"
e2e_expect_log "Farbtiefe: 32" "spiegel started" "ESC pressed - leaving at once"

rm -f "$WORK/data/error_log.txt" "$WORK/data/sw.dat" "$WORK/data/hv.dat"
e2e_start
e2e_wait_window "Minnespiegel 2004" 20
e2e_shot missing-knowledge-box >/dev/null
xdotool key --window "$WINDOW_ID" Return
e2e_wait_until 20 e2e_title_menu_shown || e2e_fail "the title menu did not appear after the box"
e2e_shot title-after-box >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Escape"
e2e_expect_log "CAnswerEngine::sw.dat is missing - the mirror cannot answer" \
    "CAnswerEngine::hv.dat is missing - echoes keep the question's words" \
    "Farbtiefe: 32" "ESC pressed - leaving at once"
[ -e "$WORK/data/sw.dat" ] && e2e_fail "sw.dat was created"
[ -e "$WORK/data/hv.dat" ] && e2e_fail "hv.dat was created"
e2e_note "help answer on two lines; missing knowledge files: one box, logged, not created: fine"
