# Escape ends the process within 0.3 s, whether the mouse was used or not. Closing the sound
# device and taking the full-screen window down each take about a tenth of a second and
# overlap, so even the fastest of three ends in under 0.2 s; one after the other they would
# take 0.22 s or more.
. "$(dirname "$0")/../lib.sh"
e2e_init quick_exit

# escape_takes: presses Escape and prints how many milliseconds pass until the process is gone.
escape_takes()
{
    local start now state
    # xdotool takes a few dozen milliseconds to start; the key reaches the server at its end.
    xdotool key Escape
    start=$(date +%s%N)
    while :; do
        # The program is this shell's child: once it has ended it stays a zombie until waited for.
        state=$(awk '{ print $3 }' "/proc/$APP_PID/stat" 2>/dev/null)
        { [ -z "$state" ] || [ "$state" = Z ]; } && break
        now=$(date +%s%N)
        [ $(((now - start) / 1000000)) -gt 5000 ] && break
        sleep 0.01
    done
    now=$(date +%s%N)
    echo $(((now - start) / 1000000))
}

untouched=""
moved=""
for round in 1 2 3; do
    e2e_start_and_wait_for_title
    sleep 0.5
    untouched="$untouched $(escape_takes)"
    e2e_wait_exit
    [ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"

    e2e_start_and_wait_for_title
    e2e_click 50 350
    e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "no scene after Start"
    e2e_motion 40 -30
    e2e_motion -25 10
    sleep 0.3
    moved="$moved $(escape_takes)"
    e2e_wait_exit
    [ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
done

slowest() { printf '%s\n' $1 | sort -n | tail -n1; }
fastest() { printf '%s\n' $1 | sort -n | head -n1; }
e2e_note "Escape ends the program in$untouched ms, after mouse use in$moved ms"
e2e_at_most "$(slowest "$untouched")" 300 || e2e_fail "Escape took up to $(slowest "$untouched") ms to end the program"
e2e_at_most "$(slowest "$moved")" 300 || e2e_fail "after mouse use Escape took up to $(slowest "$moved") ms"
e2e_at_most "$(fastest "$untouched $moved")" 200 || e2e_fail "Escape never ended the program within 0.2 s"
