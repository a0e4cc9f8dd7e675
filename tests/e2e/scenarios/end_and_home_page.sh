# "Ende" ends the program; "Homepage" starts the browser with the home page (here a stand-in
# xdg-open that notes its arguments) and ends the program, both with exit code 0.
. "$(dirname "$0")/../lib.sh"
e2e_init end_and_home_page

e2e_start_and_wait_for_title
e2e_click 50 530
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Ende"
e2e_expect_log "Farbtiefe: 32" "exiting"

cat >"$WORK/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >"$WORK/xdg-open.txt"
SCRIPT
chmod +x "$WORK/bin/xdg-open"
PATH="$WORK/bin:$PATH" e2e_start_and_wait_for_title
e2e_click 100 450
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Homepage"
e2e_wait_until 5 test -s "$WORK/xdg-open.txt" || e2e_fail "the browser was not started"
[ "$(cat "$WORK/xdg-open.txt")" = "https://www.minnespiegel.example/" ] ||
    e2e_fail "the browser got $(cat "$WORK/xdg-open.txt")"
e2e_expect_log "Farbtiefe: 32" "exiting" "Farbtiefe: 32"
e2e_note "Ende and Homepage: fine"
