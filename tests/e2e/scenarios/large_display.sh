# On a display larger than the picture, full screen covers the whole display (the picture is
# scaled up with black bars where the shape differs), also when no window manager is running,
# and again after a round trip through the window.
. "$(dirname "$0")/../lib.sh"
e2e_init large_display 1024 768

window_covers_display()
{
    xwininfo -id "$(e2e_find_window "Minnespiegel 2004")" | grep -q -- "-geometry 1024x768+0+0"
}

e2e_start
e2e_wait_window "Minnespiegel 2004"
e2e_wait_until 10 window_covers_display || e2e_fail "full screen does not cover the 1024 x 768 display"
sleep 2
e2e_shot full-screen >/dev/null
e2e_key alt+Return
sleep 0.5
window_covers_display && e2e_fail "the window still covers the display after Alt+Enter"
e2e_key alt+Return
e2e_wait_until 5 window_covers_display || e2e_fail "full screen lost after the round trip"
e2e_shot full-screen-again >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "full screen on a larger display: fine"
