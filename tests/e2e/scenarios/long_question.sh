# A question of the full 200 bytes is too long for two lines: it runs on over further lines,
# and every line stands on the parchment between the rolls, nothing beside or below it. The
# answer to it stays inside the box too.
. "$(dirname "$0")/../lib.sh"
e2e_init long_question

# What the parchment covers on the screen: box columns 21 to 428, rows 2 to the screen's edge.
PARCHMENT="408 93 162 507"

# colour_outside_parchment R G B: pixels of the colour anywhere on the screen but the parchment.
colour_outside_parchment()
{
    local all inside
    all=$(e2e_count_colour "$LAST_SHOT" 0 0 800 600 "$1" "$2" "$3")
    # shellcheck disable=SC2086
    set -- $PARCHMENT "$1" "$2" "$3"
    inside=$(e2e_count_colour "$LAST_SHOT" "$3" "$4" "$1" "$2" "$5" "$6" "$7")
    echo $((all - inside))
}

# text_lines R G B: how many separate bands of rows in the box hold pixels of the colour. The
# blinking caret (the only upright run of 18 such pixels) is left out: it may bridge two lines.
text_lines()
{
    local mask="$WORK/.lines-mask.png"
    convert "$LAST_SHOT" -crop 500x95+141+505 +repage -alpha off \
        -fill black +opaque "rgb($1,$2,$3)" -fill white -opaque "rgb($1,$2,$3)" "$mask"
    convert "$mask" \( +clone -morphology Open Rectangle:1x18 \) -compose Difference -composite \
        -colorspace gray -scale '1x95!' -depth 16 txt:- |
        awk -F'[(),]' 'NR > 1 { lit = $3 + 0 > 0; if (lit && !before) bands++; before = lit } END { print bands + 0 }'
}

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"

question='Wird mein Liebster mir heute Abend endlich sagen, dass er mich liebt, oder muss ich nun länger warten, bis er den Mut findet, mir seine Gefühle zu zeigen, und werden wir im Frühling so glücklich sein?'
xdotool type --delay 60 "$question"
sleep 0.3
e2e_shot long-question >/dev/null
written=$(e2e_count_colour "$LAST_SHOT" 141 505 500 95 18 72 122)
[ "$written" -gt 2500 ] || e2e_fail "too little of the question shows ($written pixels)"
outside=$(colour_outside_parchment 18 72 122)
[ "$outside" -eq 0 ] || e2e_fail "$outside pixels of the question stand outside the parchment"
lines=$(text_lines 18 72 122)
[ "$lines" -ge 5 ] || e2e_fail "the question stands on $lines lines, not five"
e2e_key Return
e2e_wait_until 10 e2e_box_colour_at_least 100 25 125 100 || e2e_fail "no answer appeared"
sleep 1
e2e_shot answer >/dev/null
outside=$(colour_outside_parchment 100 25 125)
[ "$outside" -eq 0 ] || e2e_fail "$outside pixels of the answer stand outside the parchment"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "a 200-byte question ($written pixels, $lines lines) and its answer stay on the parchment"
