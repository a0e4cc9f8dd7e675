# The program starts full screen on the title menu; the entry under the mouse lights up;
# SIGTERM closes it like the window's close button, with exit code 0.
. "$(dirname "$0")/../lib.sh"
e2e_init title_menu

e2e_start_and_wait_for_title
e2e_shot title-menu >/dev/null
e2e_expect_title_menu "$LAST_SHOT"
[ "$(xwininfo -id "$WINDOW_ID" | awk '/Width:/ { print $2 }')" = 800 ] || e2e_fail "the window does not fill the screen"

e2e_point_at 50 350
e2e_shot start-highlighted >/dev/null
e2e_region_shows "$LAST_SHOT" 0 230 400 340 "$WORK/data/gfx/menu_0.bmp" 0 0
e2e_point_at 60 490
e2e_shot help-highlighted >/dev/null
e2e_region_shows "$LAST_SHOT" 0 230 400 340 "$WORK/data/gfx/menu_3.bmp" 0 0
e2e_point_at 600 100
e2e_shot none-highlighted >/dev/null
e2e_region_shows "$LAST_SHOT" 0 230 400 340 "$WORK/data/gfx/menu_5.bmp" 0 0

kill -TERM "$APP_PID"
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after SIGTERM"
e2e_expect_log "Farbtiefe: 32"
e2e_note "title menu, highlight, SIGTERM: fine"
