# In a window on a larger desktop: the drawn cursor follows the system pointer, disappears when
# the pointer leaves the window (instead of sticking at its edge), and comes back where the
# pointer enters again.
. "$(dirname "$0")/../lib.sh"
e2e_init window_pointer_leaves 1024 768

e2e_start --window
e2e_wait_window "Minnespiegel 2004"
program=$WINDOW_ID
# No window manager here: give the window the focus for good, so it keeps it when the pointer
# moves over the desktop.
xdotool windowfocus "$program"
geometry=$(xwininfo -id "$program")
left=$(echo "$geometry" | awk '/Absolute upper-left X/ { print $4 }')
top=$(echo "$geometry" | awk '/Absolute upper-left Y/ { print $4 }')
[ -n "$left" ] && [ -n "$top" ] || e2e_fail "where is the window?"

# title_differs_by: pixels of the title picture's part of the window that are not the picture.
title_differs_by()
{
    e2e_grab
    e2e_differing "$POLL_SHOT" "$left" "$top" 800 230 "$WORK/data/gfx/mi_titel2.jpg" 0 0
}
title_alone() { e2e_at_most "$(title_differs_by)" 20; }
cursor_over_title() { ! title_alone; }

e2e_wait_until 20 title_alone || e2e_fail "no title menu in the window"
xdotool mousemove $((left + 700)) $((top + 100))
e2e_wait_until 3 cursor_over_title || e2e_fail "the cursor does not follow the pointer"
e2e_shot cursor-inside >/dev/null

# Out over the right edge, at the same height.
xdotool mousemove $((left + 880)) $((top + 100))
sleep 0.5
e2e_shot pointer-outside >/dev/null
title_alone || e2e_fail "the cursor stayed in the window ($(title_differs_by) pixels)"
sleep 0.5
title_alone || e2e_fail "the cursor came back while the pointer is outside"

xdotool mousemove $((left + 300)) $((top + 160))
e2e_wait_until 3 cursor_over_title || e2e_fail "the cursor did not come back with the pointer"
e2e_shot pointer-back >/dev/null
drawn=$(e2e_differing "$LAST_SHOT" $((left + 293)) $((top + 158)) 20 23 "$WORK/data/gfx/mi_titel2.jpg" 293 158)
e2e_at_most "$drawn" 20 && e2e_fail "the cursor is not where the pointer came in"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "the cursor leaves and comes back with the pointer"
