# A question typed fast (20 ms a key: several keys in one frame, Shift going down with the
# letter, repeated letters, umlauts) arrives complete: the box shows exactly what the same
# question shows when typed slowly, one key at a time with Shift pressed well before its letter.
# Held Backspace and held letters repeat at the keyboard's rate; a blinking caret follows the text.
. "$(dirname "$0")/../lib.sh"
e2e_init fast_typing

QUESTION="Soll ich ihm sagen, dass wir uns kennen? ÄÖÜ"

# question_mask PICTURE OUT: the box's pixels of the question's colour white, all else black.
question_mask()
{
    convert "$1" -crop 500x95+141+505 +repage -alpha off \
        -fill black +opaque "rgb(18,72,122)" -fill white -opaque "rgb(18,72,122)" "$2"
}
question_pixels()
{
    e2e_grab
    e2e_question_ink "$POLL_SHOT"
}

# One key at a time, a frame or more apart; a capital's Shift goes down first, on its own.
type_slowly()
{
    local text=$1 i c key shifted
    for ((i = 0; i < ${#text}; i++)); do
        c=${text:i:1}
        shifted=0
        case "$c" in
            " ") key=space ;;
            ",") key=comma ;;
            "?") key=ssharp shifted=1 ;;
            "Ä") key=adiaeresis shifted=1 ;;
            "Ö") key=odiaeresis shifted=1 ;;
            "Ü") key=udiaeresis shifted=1 ;;
            [A-Z]) key=$(printf '%s' "$c" | tr 'A-Z' 'a-z') shifted=1 ;;
            *) key=$c ;;
        esac
        if [ "$shifted" -eq 1 ]; then
            xdotool keydown Shift_L
            sleep 0.1
            xdotool key "$key"
            sleep 0.1
            xdotool keyup Shift_L
        else
            xdotool key "$key"
        fi
        sleep 0.1
    done
}

hold_backspace()
{
    xdotool keydown BackSpace
    sleep "$1"
    xdotool keyup BackSpace
    sleep 0.3
}

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"

# The caret blinks in the empty box: seen, then gone, within a second.
e2e_wait_until 2 e2e_box_colour_at_least 18 72 122 20 || e2e_fail "no caret in the empty box"
cp "$POLL_SHOT" "$WORK/00-empty-box-caret.png"
e2e_wait_until 2 eval '[ "$(e2e_grab; e2e_count_colour "$POLL_SHOT" 141 505 500 95 18 72 122)" -eq 0 ]' ||
    e2e_fail "the caret does not blink"

type_slowly "$QUESTION"
sleep 0.5
e2e_shot typed-slowly >/dev/null
question_mask "$LAST_SHOT" "$WORK/slow-mask.png"
slow=$(e2e_question_ink "$LAST_SHOT")
[ "$slow" -gt 400 ] || e2e_fail "the slowly typed question does not show ($slow pixels)"

# A tap deletes one character; held for 1.5 s, Backspace goes on deleting.
e2e_key BackSpace
sleep 0.3
tapped=$(question_pixels)
[ "$tapped" -lt "$slow" ] || e2e_fail "Backspace deleted nothing"
hold_backspace 1.5
e2e_shot held-backspace >/dev/null
held=$(e2e_question_ink "$LAST_SHOT")
[ $((tapped - held)) -gt $((slow / 4)) ] ||
    e2e_fail "held Backspace deleted too little ($tapped pixels before, $held after)"
hold_backspace 3
e2e_wait_until 2 eval '[ "$(question_pixels)" -eq 0 ]' || e2e_fail "the box did not empty"

xdotool type --delay 20 "$QUESTION"
sleep 0.5
e2e_shot typed-fast >/dev/null
question_mask "$LAST_SHOT" "$WORK/fast-mask.png"
# Only the caret (2 x 18 pixels), which may be in another phase of its blinking, may differ.
differing=$(compare -metric AE "$WORK/slow-mask.png" "$WORK/fast-mask.png" null: 2>&1 | cut -d' ' -f1)
e2e_at_most "$differing" 36 ||
    e2e_fail "the fast typed question differs from the slowly typed one in $differing pixels"

# A held letter repeats too.
before=$(question_pixels)
xdotool keydown l
sleep 1.5
xdotool keyup l
sleep 0.3
e2e_shot held-letter >/dev/null
grown=$(($(e2e_question_ink "$LAST_SHOT") - before))
[ "$grown" -gt 200 ] || e2e_fail "a held letter was typed too seldom ($grown more pixels)"

e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Escape"
e2e_note "fast typing complete, held Backspace repeats, caret blinks"
