#!/bin/bash
# Question after question in the real program under Xvfb, with the settings screen and
# Alt+Enter (to a window and back) every fifth question. After the first fifth of the cycles
# (at most 20) the resident memory, open files and threads are noted; at the end the memory
# may have grown by less than 1 MB, the files and threads must be the same, and the log holds
# only the line each return to the scene writes.
# Usage: tests/e2e/soak.sh BUILD_FOLDER [CYCLES]   (200 by default: about twenty minutes)
# The end-to-end suite runs a short version of it (scenarios/soak_short.sh).
set -u
if [ -z "${MINNE_BIN:-}" ]; then
    build=$(cd "${1:?usage: $0 BUILD_FOLDER [CYCLES]}" && pwd)
    export MINNE_BIN="$build/bin/minnespiegel" MINNE_DATA="$build/data" E2E_ARTEFACTS="$build/e2e-artefacts"
fi
cycles=${2:-200}
. "$(dirname "$0")/lib.sh"
e2e_init "soak-$cycles"

rss_kb() { awk '/VmRSS/ { print $2 }' "/proc/$APP_PID/status"; }
entries() { ls "/proc/$APP_PID/$1" | wc -l; }
answer_shown() { e2e_box_colour_at_least 100 25 125 100; }
answer_gone() { e2e_grab && [ "$(e2e_count_colour "$POLL_SHOT" 141 505 500 95 100 25 125)" -lt 20 ]; }

settings_and_window_mode()
{
    e2e_click 720 35
    e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "cycle $1: no title menu"
    e2e_click 60 400
    sleep 0.5
    e2e_click 720 565
    e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "cycle $1: the settings screen did not return"
    e2e_key alt+Return
    sleep 0.5
    e2e_key alt+Return
    sleep 0.5
    e2e_click 50 350
    e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "cycle $1: no scene after Start"
}

one_cycle()
{
    xdotool type --delay 40 "Liebt er mich $1"
    e2e_key Return
    e2e_wait_until 15 answer_shown || e2e_fail "cycle $1: no answer"
    # An answer is dismissed from its 101st tick on.
    sleep 1.8
    e2e_key Return
    e2e_wait_until 5 answer_gone || e2e_fail "cycle $1: the answer stayed"
    if [ $(($1 % 5)) -eq 0 ]; then
        settings_and_window_mode "$1"
    fi
}

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "no scene after Start"
settle=$((cycles / 5 < 20 ? cycles / 5 : 20))
started=$(date +%s)
for n in $(seq 1 "$cycles"); do
    one_cycle "$n"
    if [ "$n" -eq "$settle" ]; then
        rss0=$(rss_kb) fd0=$(entries fd) task0=$(entries task) lines0=$(e2e_log_lines | wc -l)
    fi
done
rss1=$(rss_kb) fd1=$(entries fd) task1=$(entries task)
e2e_shot end >/dev/null
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"

returns=$(( cycles / 5 - settle / 5 ))
new_lines=$(e2e_log_lines | tail -n +$((lines0 + 1)))
printf '%-36s %s\n' "cycles" "$cycles in $(( $(date +%s) - started )) s" \
    "resident memory after cycle $settle" "$rss0 kB" "resident memory at the end" "$rss1 kB" \
    "open files" "$fd0 -> $fd1" "threads" "$task0 -> $task1" \
    "log lines after cycle $settle" "$(echo "$new_lines" | grep -c .) (expected $returns + ESC)"
[ $((rss1 - rss0)) -lt 1024 ] || e2e_fail "resident memory grew by $((rss1 - rss0)) kB"
[ "$fd1" -eq "$fd0" ] || e2e_fail "open files: $fd0 after cycle $settle, $fd1 at the end"
[ "$task1" -eq "$task0" ] || e2e_fail "threads: $task0 after cycle $settle, $task1 at the end"
expected=$( (for i in $(seq 1 "$returns"); do echo "spiegel started"; done; echo "ESC pressed - leaving at once") | grep .)
[ "$new_lines" = "$expected" ] || e2e_fail "the log grew by
$new_lines"
e2e_note "$cycles questions without growth: fine"
